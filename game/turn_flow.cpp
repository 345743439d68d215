// The turn flow: play as numbered events in a ring, taken one per tick of the
// event timer, and the timer and input handlers around them.
#include <cmath>

#include "engine/host_messages.h"
#include "game/game_control.h"
#include "game/next_legal_pit.h"
#include "platform/numbered_error.h"
#include "settings/company.h"

namespace zeko::game {

namespace {

// VB's Str: a leading blank for numbers of 0 and above.
std::string Str(int32_t value) {
    std::string text = value >= 0 ? " " : "";
    return text.append(std::to_string(value));
}

}  // namespace

GameControl::GameControl(platform::EngineLibrary& engine, Presentation& view, WindowTimers& timers,
                         Environment environment)
    : engine_(engine), view_(view), timers_(timers), env_(std::move(environment)) {
    record_.ResetToStart();
}

std::string GameControl::Text(int number) const {
    return env_.GetText ? env_.GetText(number) : std::string();
}

void GameControl::SetTimer(TimerId id, bool enabled, int intervalMs) {
    const auto i = static_cast<size_t>(id);
    if (intervalMs > 0) timerInterval_[i] = intervalMs;
    timerEnabled_[i] = enabled;
    timers_.SetTimer(id, enabled, timerInterval_[i]);
}

void GameControl::Guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const platform::NumberedError& error) {
        view_.ShowError(error.number(), error.source(), error.description());
    }
}

int32_t GameControl::CheckMove(const Board& board, int pit) const {
    return engine_.checkmove(board.data(), pit, record_.OpeningFlag ? 1 : 0);
}

// ---- The event ring ----

size_t GameControl::PendingEvents() const {
    size_t pending = overflow_.size();
    for (int i = 1; i <= kEventSlots; ++i)
        pending += slots_[static_cast<size_t>(i)] != 0;
    return pending;
}

void GameControl::PostEvent(int n) {
    const int next = writeIndex_ % kEventSlots + 1;
    // A slot still waiting to be handled is never overwritten: later events
    // queue behind the ring and move in as slots free up, in order.
    if (slots_[static_cast<size_t>(next)] != 0 || !overflow_.empty()) {
        overflow_.push_back(static_cast<int16_t>(n));
    } else {
        writeIndex_ = next;
        slots_[static_cast<size_t>(next)] = static_cast<int16_t>(n);
    }
    if (!inSearch_) SetTimer(TimerId::Event, true);
}

void GameControl::DropPendingPlayEvents() {
    // A new game must not inherit the old game's queued steps (a move about to
    // be shown or played, its end, its time-out). They become the empty event
    // 12 in place, so the ring keeps its shape; closing the window stays.
    const auto drop = [](int16_t& event) {
        if (event != 0 && event != kCloseWindow) event = kNoEvent;
    };
    for (int i = 1; i <= kEventSlots; ++i) {
        if (handlingEvent_ && i == readIndex_) continue;
        drop(slots_[static_cast<size_t>(i)]);
    }
    for (int16_t& event : overflow_)
        drop(event);
}

void GameControl::OnEventTimer() {
    SetTimer(TimerId::Event, false);
    // Events wait while a search is on the stack, so that no play step (and no
    // second search) runs inside it; the search ends soon after a stop.
    if (inSearch_ || PendingEvents() == 0) return;
    readIndex_ = readIndex_ % kEventSlots + 1;
    const int n = slots_[static_cast<size_t>(readIndex_)];
    handlingEvent_ = true;
    Guarded([this, n] { HandleEvent(n); });
    handlingEvent_ = false;
    slots_[static_cast<size_t>(readIndex_)] = 0;
    while (!overflow_.empty() && slots_[static_cast<size_t>(writeIndex_ % kEventSlots + 1)] == 0) {
        writeIndex_ = writeIndex_ % kEventSlots + 1;
        slots_[static_cast<size_t>(writeIndex_)] = overflow_.front();
        overflow_.pop_front();
    }
    if (PendingEvents() > 0 && !inSearch_) SetTimer(TimerId::Event, true);
}

void GameControl::HandleEvent(int n) {
    if (state_ == PlayState::AwaitingResponse) state_ = PlayState::Idle;
    const bool indicator = options_.View[kMoveIndicator];
    switch (n) {
        case kDismissWelcome:
            view_.HideWelcome();
            state_ = PlayState::Idle;
            break;
        case kNewGame:
            SetTimer(TimerId::Clock, false);
            record_.NewGame();
            ShowPlayablePits(1);
            for (int pit = 0; pit < 12; ++pit)
                view_.PaintField(pit, FieldLook::Normal);
            view_.ShowPosition(true, record_.Board, record_.Board);
            if (indicator) SetMoveIndicator(1);
            SetClock(record_.ComputerGame ? ClockMode::Start : ClockMode::Off);
            state_ = PlayState::Idle;
            break;
        case kPlayBottomMove:
            if (!record_.ComputerGame) record_.OpeningFlag = false;
            ShowPlayablePits(0);
            if (indicator) SetMoveIndicator(0);
            if (record_.ComputerGame && options_.View[kFlashingClock]) view_.RepaintClockFace();
            PlayMove(false);
            break;
        case kPlayTopMove:
            record_.OpeningFlag = false;
            if (!record_.ComputerGame) {
                ShowPlayablePits(0);
                if (indicator) SetMoveIndicator(0);
            }
            PlayMove(true);
            break;
        case kAwaitHumanMove:
            if (indicator) SetMoveIndicator(1);
            ShowPlayablePits(!record_.ComputerGame && record_.TopToMove ? 2 : 1);
            if (record_.TimerOn) {
                SetTimer(TimerId::Clock, true);
                clockGrace_ = 10;
            }
            state_ = PlayState::Idle;
            break;
        case kComputerTurn:
            ComputerTurn();
            break;
        case kComputerMoveFound:
            if (options_.DelayActivated && !options_.DelayFixed) {
                state_ = PlayState::AwaitingResponse;
                ShowPlayablePits(4);
                view_.PaintField(movePit_, FieldLook::Flash);
            } else if (options_.DelayActivated && delayLeft_ > 0) {
                state_ = PlayState::AwaitingResponse;
                SetTimer(TimerId::Delay, true, 500);
            } else {
                PostEvent(kShowComputerMove);
            }
            break;
        case kShowComputerMove:
            if (!options_.DelayActivated || options_.DelayFixed) {
                if (!options_.View[kFlashingMoves]) {
                    PostEvent(kPlayTopMove);
                } else {
                    flashCount_ = 10;
                    SetTimer(TimerId::Flash, true, 250);
                }
            } else {
                // The user has just clicked: one step that only restores the colour.
                flashCount_ = 1;
                SetTimer(TimerId::Flash, true, 1);
            }
            break;
        case kTakeBack:
            if (indicator) SetMoveIndicator(0);
            record_.TakeBack(engine_);
            if (record_.TimerOn) SetClock(ClockMode::Off);
            view_.ShowPosition(true, record_.Board, record_.Board);
            state_ = PlayState::Busy;
            PostEvent(kAwaitHumanMove);
            break;
        case kReplay: {
            if (indicator) SetMoveIndicator(0);
            const int32_t r = record_.Replay(engine_);
            view_.ShowPosition(true, record_.Board, record_.Board);
            state_ = PlayState::Busy;
            if (r != 0) {
                endCode_ = r;
                PostEvent(kGameEnded);
            } else if (record_.ComputerGame && record_.TopToMove) {
                PostEvent(kComputerTurn);  // a person's move replayed without a reply
            } else {
                PostEvent(kAwaitHumanMove);
            }
            break;
        }
        case kGameEnded:
            GameEnded();
            break;
        case kTimeExceeded:
            SetTimer(TimerId::Clock, false);
            view_.ShowResultDialog(3);
            SetClock(ClockMode::Off);
            state_ = PlayState::Idle;
            break;
        case kGameLoaded:
            if (indicator) SetMoveIndicator(0);
            ShowPlayablePits(0);
            record_.RebuildAfterLoad(engine_);
            SetClock(record_.TimerOn ? ClockMode::Show : ClockMode::Off);
            view_.SetSkillMenuVisible(record_.ComputerGame);
            view_.ShowPosition(true, record_.Board, record_.Board);
            if (!record_.GameOver) {
                state_ = PlayState::Busy;
                PostEvent(kAwaitHumanMove);
            }
            break;
        case kPositionSetUp: {
            const Board old = record_.Board;
            record_.AdoptPosition(newPositionBoard_, newPositionTopToMove_);
            view_.ShowPosition(false, old, record_.Board);
            SetClock(ClockMode::Off);
            state_ = PlayState::Busy;
            PostEvent(record_.ComputerGame && record_.TopToMove ? kComputerTurn : kAwaitHumanMove);
            break;
        }
        case kStopClock:
            SetClock(ClockMode::Off);
            break;
        case kCloseWindow:
            view_.CloseWindow();
            break;
        default:
            break;
    }
}

void GameControl::PlayMove(bool top) {
    const Board old = record_.Board;
    const int32_t r = record_.Execute(engine_, movePit_);
    record_.RecordMove(movePit_);
    view_.ShowPosition(false, old, record_.Board);
    record_.TopToMove = !top;
    if (r != 0) {
        endCode_ = r;
        PostEvent(kGameEnded);
    } else if (!top && record_.ComputerGame) {
        state_ = PlayState::Busy;
        PostEvent(kComputerTurn);
    } else {
        PostEvent(kAwaitHumanMove);
    }
}

void GameControl::ComputerTurn() {
    ShowPlayablePits(3);
    searchAborted_ = false;
    const auto now = [this] { return env_.NowMs ? env_.NowMs() : int64_t{0}; };
    const int64_t t0 = now();
    state_ = PlayState::Thinking;
    UpdateCaption();
    int pit = 0;
    inSearch_ = true;
    try {
        pit = ChooseComputerMove();
    } catch (...) {
        inSearch_ = false;
        state_ = PlayState::Idle;
        throw;
    }
    inSearch_ = false;
    movePit_ = pit;
    if (!searchAborted_ && (pit < 6 || pit > 11)) {
        // A stop that no command asked for (a StopSearch meant for another
        // window): nothing was chosen, so the computer thinks again.
        state_ = PlayState::Busy;
        PostEvent(kComputerTurn);
    } else if (!searchAborted_) {
        const int64_t elapsed = now() - t0;
        const auto halfSeconds =
            static_cast<int>(std::nearbyint(static_cast<double>(elapsed) / 500.0));
        delayLeft_ = options_.DelayTime * 2 - halfSeconds;
        PostEvent(kComputerMoveFound);
        state_ = PlayState::Busy;
        UpdateCaption();
    } else {
        state_ = PlayState::Idle;
        UpdateCaption();
    }
    if (closeAfterSearch_) {
        closeAfterSearch_ = false;
        view_.CloseWindow();
    }
}

void GameControl::GameEnded() {
    ShowPlayablePits(0);
    record_.GameOver = true;
    if (!record_.TimerOn) {
        view_.ShowMessage(EndOfGameMessage(), std::string(settings::kAppName),
                          record_.ComputerGame ? MessageIcon::None : MessageIcon::Information);
    } else {
        SetTimer(TimerId::Clock, false);
        view_.ShowResultDialog(endCode_);
    }
    state_ = PlayState::Idle;
}

std::string GameControl::EndOfGameMessage() const {
    const Board& b = record_.Board;
    if (record_.ComputerGame) {
        const std::string human =
            record_.NameBottomHalf.empty() ? Text(43) : record_.NameBottomHalf;
        return Text(44)
            .append(Str(b[kTopStore]))
            .append("  -  ")
            .append(human)
            .append(Str(b[kBottomStore]));
    }
    std::string top = record_.NameTopHalf.empty() ? Text(46) : record_.NameTopHalf;
    const std::string bottom = record_.NameBottomHalf.empty() ? Text(45) : record_.NameBottomHalf;
    return top.append(" : ")
        .append(Str(b[kTopStore]))
        .append("  -  ")
        .append(bottom)
        .append(" : ")
        .append(Str(b[kBottomStore]));
}

// ---- Turn-flow routines ----

void GameControl::TryHumanMove(int pit) {
    if (record_.GameOver) return;
    if (pit >= 0 && pit <= 5) {
        if (record_.TopToMove || CheckMove(record_.Board, pit) != 1) return;
        movePit_ = pit;
        PostEvent(kPlayBottomMove);
    } else if (pit >= 6 && pit <= 11) {
        if (record_.ComputerGame || !record_.TopToMove) return;
        if (CheckMove(rotateboard(record_.Board), pit - 6) != 1) return;
        movePit_ = pit;
        PostEvent(kPlayTopMove);
    }
}

int GameControl::ChooseComputerMove() {
    const auto rnd = [this] { return env_.Rnd ? env_.Rnd() : 0.0; };
    if (record_.OpeningFlag && record_.Board[6] == 4)
        return 8 + static_cast<int>(std::floor(rnd() * 4));
    if (record_.OpeningFlag && record_.Board[6] == 5)
        return 6 + static_cast<int>(std::floor(rnd() * 6));
    return engine_.findmove(record_.Board.data(), record_.Level);
}

void GameControl::RequestStop() {
    PostMessageA(env_.Window, WM_STOPSEARCH, 0, 0);
    searchAborted_ = true;
}

void GameControl::EndWait() {
    state_ = PlayState::Busy;
    delayLeft_ = 0;
    SetTimer(TimerId::Delay, false);
    ShowPlayablePits(3);
}

std::array<Pointer, 12> GameControl::PlayablePointers(bool top) const {
    std::array<Pointer, 12> pointers;
    pointers.fill(Pointer::Default);
    const Board seen = top ? rotateboard(record_.Board) : record_.Board;
    for (int pit = 0; pit < 6; ++pit) {
        if (CheckMove(seen, pit) == 1)
            pointers[static_cast<size_t>(top ? pit + 6 : pit)] = Pointer::Playable;
    }
    return pointers;
}

void GameControl::ShowPlayablePits(int mode) {
    std::array<Pointer, 12> pointers;
    pointers.fill(Pointer::Default);
    Pointer window = Pointer::Default;
    switch (mode) {
        case 1:
            pointers = PlayablePointers(false);
            break;
        case 2:
            pointers = PlayablePointers(true);
            break;
        case 3:
            window = Pointer::Hourglass;
            pointers.fill(Pointer::Hourglass);
            break;
        case 4:
            if (movePit_ >= 0 && movePit_ < 12)
                pointers[static_cast<size_t>(movePit_)] = Pointer::Playable;
            break;
        default:
            break;
    }
    view_.SetPointers(window, pointers);
}

void GameControl::SetMoveIndicator(int request) {
    if (request == 0) {
        view_.PaintField(indicatorPit_, FieldLook::Normal);
        return;
    }
    const bool turned = !record_.ComputerGame && record_.TopToMove;
    const Board seen = turned ? rotateboard(record_.Board) : record_.Board;
    const int current = turned ? indicatorPit_ - 6 : indicatorPit_;
    int pit = NextLegalPit(current, request, [&](int p) { return CheckMove(seen, p) == 1; });
    if (turned) pit += 6;
    if (pit != indicatorPit_ || request == 1) view_.PaintField(indicatorPit_, FieldLook::Normal);
    indicatorPit_ = pit;
    view_.PaintField(indicatorPit_, FieldLook::Indicator);
}

void GameControl::UpdateCaption() {
    std::string caption(settings::kAppName);
    if (view_.Minimized() && state_ == PlayState::Thinking) {
        caption.append(" : ").append(Text(47));
    } else if (record_.TimerOn) {
        caption.append(" : ").append(Text(14 + record_.Level));
    } else if (!record_.ComputerGame) {
        caption.append(" : ")
            .append(record_.NameBottomHalf)
            .append(" - ")
            .append(record_.NameTopHalf);
    }
    view_.SetCaption(caption);
}

// ---- Timers and input ----

void GameControl::OnDelayTimer() {
    if (--delayLeft_ < 1) {
        EndWait();
        PostEvent(kShowComputerMove);
    }
}

void GameControl::OnFlashTimer() {
    --flashCount_;
    view_.PaintField(movePit_, flashCount_ % 2 != 0 ? FieldLook::Flash : FieldLook::Normal);
    if (flashCount_ <= 0) {
        SetTimer(TimerId::Flash, false);
        PostEvent(kPlayTopMove);
    }
}

void GameControl::ClickPit(int pit) {
    Guarded([this, pit] {
        if (state_ == PlayState::AwaitingResponse && !options_.DelayFixed) {
            if (pit == movePit_) {
                EndWait();
                PostEvent(kShowComputerMove);
            }
            return;
        }
        if (state_ == PlayState::Idle) TryHumanMove(pit);
    });
}

bool GameControl::KeyDown(Arrow arrow) {
    if (record_.TopToMove && record_.ComputerGame) return false;
    if (record_.GameOver || !options_.View[kMoveIndicator]) return false;
    const bool bottomRow = indicatorPit_ < 6;
    const bool right = arrow == Arrow::Right;
    Guarded([&] { SetMoveIndicator(right == bottomRow ? 2 : 3); });
    return true;
}

bool GameControl::KeyPress(char key) {
    if (view_.WelcomeVisible()) {
        PostEvent(kDismissWelcome);
        return true;
    }
    if (record_.GameOver) return false;
    int pit = -1;
    if (key >= '1' && key <= '6') pit = key - '1';
    if (key >= 'a' && key <= 'f') pit = key - 'a';
    if (key >= 'A' && key <= 'F') pit = key - 'A';
    if (pit >= 0) {
        Guarded([&] {
            if (!record_.TopToMove)
                TryHumanMove(pit);
            else if (!record_.ComputerGame)
                TryHumanMove(pit + 6);
        });
        return true;
    }
    if (key == '\r') {
        if (options_.View[kMoveIndicator] && record_.ComputerGame && !record_.TopToMove)
            Guarded([this] { TryHumanMove(indicatorPit_); });
        return true;
    }
    return false;
}

bool GameControl::QueryClose() {
    if (!inSearch_) return true;
    RequestStop();
    closeAfterSearch_ = true;
    return false;
}

}  // namespace zeko::game
