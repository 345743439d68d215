// The turn flow, play as numbered events in a ring taken one per tick of the
// event timer, with the timer and input handlers around it, and the game
// commands of the menus.
#include "game/game_control.h"

#include <cmath>

#include "engine/host_messages.h"
#include "game/next_legal_pit.h"
#include "platform/numbered_error.h"
#include "settings/company.h"
#include "settings/text_id.h"

namespace zeko::game {

namespace {

// A number in a message: a leading blank for 0 and above, where a minus sign
// would stand.
std::string Str(int32_t value) {
    std::string text = value >= 0 ? " " : "";
    return text.append(std::to_string(value));
}

}  // namespace

GameControl::GameControl(platform::EngineLibrary& engine, BoardDisplay& display, GameWindow& window,
                         WindowTimers& timers, Environment environment)
    : engine_(engine),
      display_(display),
      window_(window),
      timers_(timers),
      env_(std::move(environment)),
      clock_(record_, options_, display_, window_,
             {[this](bool on) { SetTimer(TimerId::Clock, on); },
              [this] { PostEvent(kClockRanOut); }, [this] { UpdateCaption(); }}) {
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
        window_.ShowError(error.Number(), error.Source(), error.Description());
    }
}

int32_t GameControl::CheckMove(const Board& board, int pit) const {
    return engine_.checkmove(board.data(), pit, record_.OpeningFlag ? 1 : 0);
}

// ---- The event ring ----

void GameControl::PostEvent(Event event) {
    ring_.Post(event);
    if (!inSearch_) SetTimer(TimerId::Event, true);
}

void GameControl::OnEventTimer() {
    SetTimer(TimerId::Event, false);
    // Events wait while a search is on the stack, so that no play step (and no
    // second search) runs inside it; the search ends soon after a stop.
    if (inSearch_) return;
    const Event event = ring_.Take();
    if (event == kNoEvent) return;
    Guarded([this, event] { HandleEvent(event); });
    ring_.Done();
    if (PendingEvents() > 0 && !inSearch_) SetTimer(TimerId::Event, true);
}

void GameControl::HandleEvent(Event event) {
    if (state_ == PlayState::AwaitingResponse) {
        state_ = PlayState::Idle;
        RestoreChosenPit();
    }
    const bool indicator = options_.View[settings::kViewMoveIndicator];
    switch (event) {
        case kDismissWelcome:
            display_.HideWelcome();
            state_ = PlayState::Idle;
            break;
        case kNewGame:
            SetTimer(TimerId::Clock, false);
            record_.NewGame();
            ShowPlayablePits(PlayablePits::BottomRow);
            for (int pit = 0; pit < kPits; ++pit)
                display_.PaintPit(pit, PitLook::Normal);
            display_.ShowPosition(true, record_.Board, record_.Board);
            if (indicator) SetMoveIndicator(IndicatorRequest::First);
            SetClock(record_.ComputerGame ? ClockMode::Start : ClockMode::Off);
            state_ = PlayState::Idle;
            break;
        case kPlayBottomMove:
            if (!record_.ComputerGame) record_.OpeningFlag = false;
            ShowPlayablePits(PlayablePits::None);
            if (indicator) SetMoveIndicator(IndicatorRequest::Hide);
            if (record_.ComputerGame && options_.View[settings::kViewFlashingClock])
                display_.RepaintClockFace();
            PlayMove(false);
            break;
        case kPlayTopMove:
            record_.OpeningFlag = false;
            if (!record_.ComputerGame) {
                ShowPlayablePits(PlayablePits::None);
                if (indicator) SetMoveIndicator(IndicatorRequest::Hide);
            }
            PlayMove(true);
            break;
        case kAwaitHumanMove:
            if (EndIfNoMove()) break;
            if (indicator) SetMoveIndicator(IndicatorRequest::First);
            ShowPlayablePits(!record_.ComputerGame && record_.TopToMove ? PlayablePits::TopRow
                                                                        : PlayablePits::BottomRow);
            clock_.StartTurn();
            state_ = PlayState::Idle;
            break;
        case kComputerTurn:
            ComputerTurn();
            break;
        case kComputerMoveFound:
            if (options_.DelayActivated && !options_.DelayFixed) {
                state_ = PlayState::AwaitingResponse;
                ShowPlayablePits(PlayablePits::ChosenPit);
                display_.PaintPit(movePit_, PitLook::Flash);
                chosenPitShown_ = true;
            } else if (options_.DelayActivated && delayLeft_ > 0) {
                state_ = PlayState::AwaitingResponse;
                SetTimer(TimerId::Delay, true, 500);
            } else {
                PostEvent(kShowComputerMove);
            }
            break;
        case kShowComputerMove:
            if (chosenPitShown_) {
                // The user has just clicked: one step that only restores the colour.
                chosenPitShown_ = false;
                flashCount_ = 1;
                SetTimer(TimerId::Flash, true, 1);
            } else if (!options_.View[settings::kViewFlashingMoves]) {
                PostEvent(kPlayTopMove);
            } else {
                flashCount_ = 10;
                SetTimer(TimerId::Flash, true, 250);
            }
            break;
        case kTakeBack:
            if (indicator) SetMoveIndicator(IndicatorRequest::Hide);
            record_.TakeBack(engine_);
            if (record_.TimerOn) SetClock(ClockMode::Off);
            display_.ShowPosition(true, record_.Board, record_.Board);
            state_ = PlayState::Busy;
            PostEvent(NextTurn());
            break;
        case kReplay: {
            if (indicator) SetMoveIndicator(IndicatorRequest::Hide);
            const int32_t r = record_.Replay(engine_);
            display_.ShowPosition(true, record_.Board, record_.Board);
            state_ = PlayState::Busy;
            if (r != 0) {
                end_ = static_cast<GameEnd>(r);
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
        case kClockRanOut:
            SetTimer(TimerId::Clock, false);
            window_.ShowResultDialog(GameEnd::TimeExceeded);
            SetClock(ClockMode::Off);
            state_ = PlayState::Idle;
            break;
        case kGameLoaded:
            if (indicator) SetMoveIndicator(IndicatorRequest::Hide);
            ShowPlayablePits(PlayablePits::None);
            record_.RebuildAfterLoad(engine_);
            SetClock(record_.TimerOn ? ClockMode::Show : ClockMode::Off);
            window_.SetSkillMenuVisible(record_.ComputerGame);
            display_.ShowPosition(true, record_.Board, record_.Board);
            if (!record_.GameOver) {
                state_ = PlayState::Busy;
                // With the top half to move in a computer game, no person can
                // move: the computer thinks at once.
                PostEvent(record_.ComputerGame && record_.TopToMove ? kComputerTurn
                                                                    : kAwaitHumanMove);
            }
            break;
        case kPositionSetUp: {
            const Board old = record_.Board;
            record_.AdoptPosition(newPositionBoard_, newPositionTopToMove_);
            display_.ShowPosition(false, old, record_.Board);
            SetClock(ClockMode::Off);
            state_ = PlayState::Busy;
            PostEvent(NextTurn());
            break;
        }
        case kStopClock:
            SetClock(ClockMode::Off);
            break;
        case kCloseWindow:
            window_.CloseWindow();
            break;
        default:
            break;
    }
}

Event GameControl::NextTurn() const {
    return record_.ComputerGame && record_.TopToMove ? kComputerTurn : kAwaitHumanMove;
}

void GameControl::PlayMove(bool top) {
    const Board old = record_.Board;
    const int32_t r = record_.Execute(engine_, movePit_);
    record_.RecordMove(movePit_);
    display_.ShowPosition(false, old, record_.Board);
    record_.TopToMove = !top;
    if (r != 0) {
        end_ = static_cast<GameEnd>(r);
        PostEvent(kGameEnded);
    } else if (!top && record_.ComputerGame) {
        state_ = PlayState::Busy;
        PostEvent(kComputerTurn);
    } else {
        PostEvent(kAwaitHumanMove);
    }
}

bool GameControl::EndIfNoMove() {
    const bool top = record_.TopToMove;
    const Board seen = top ? rotateboard(record_.Board) : record_.Board;
    for (int pit = 0; pit < kPitsPerRow; ++pit) {
        if (CheckMove(seen, pit) == 1) return false;
    }
    // Only an empty row has no legal pit (a set-up position can leave one to
    // move). As when a move leaves the opponent nothing, the game is over and
    // the side that still has stones takes those of its own row.
    const Board old = record_.Board;
    Board& b = record_.Board;
    b[kTopStore] += engine::TopRowStones(b);
    b[kBottomStore] += engine::BottomRowStones(b);
    for (int pit = 0; pit < kPits; ++pit)
        b[static_cast<size_t>(pit)] = 0;
    display_.ShowPosition(false, old, b);
    end_ = GameEnd::ByRules;
    state_ = PlayState::Busy;
    PostEvent(kGameEnded);
    return true;
}

void GameControl::ComputerTurn() {
    if (EndIfNoMove()) return;
    ShowPlayablePits(PlayablePits::Hourglass);
    searchAborted_ = false;
    thinkingSince_ = Now();
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
    if (!searchAborted_ && (pit < kPitsPerRow || pit >= kPits)) {
        // A stop that no command asked for (a StopSearch meant for another
        // window): nothing was chosen, so the computer thinks again.
        state_ = PlayState::Busy;
        PostEvent(kComputerTurn);
    } else if (!searchAborted_) {
        delayLeft_ = DelayStillToWait();
        PostEvent(kComputerMoveFound);
        state_ = PlayState::Busy;
        UpdateCaption();
    } else {
        state_ = PlayState::Idle;
        UpdateCaption();
    }
    if (closeAfterSearch_) {
        closeAfterSearch_ = false;
        window_.CloseWindow();
    }
}

int64_t GameControl::Now() const {
    return env_.NowMs ? env_.NowMs() : int64_t{0};
}

int GameControl::DelayStillToWait() const {
    const auto halfSeconds =
        static_cast<int>(std::nearbyint(static_cast<double>(Now() - thinkingSince_) / 500.0));
    return options_.DelayTime * 2 - halfSeconds;
}

void GameControl::RestoreChosenPit() {
    if (!chosenPitShown_) return;
    chosenPitShown_ = false;
    display_.PaintPit(movePit_, PitLook::Normal);
}

void GameControl::SetResponseDelay(bool activated, bool fixed, int seconds) {
    const bool clickBefore = options_.DelayActivated && !options_.DelayFixed;
    options_.DelayActivated = activated;
    options_.DelayFixed = fixed;
    options_.DelayTime = seconds;
    if (state_ != PlayState::AwaitingResponse) return;
    // A pit that waits for its click goes on waiting under a click rule.
    if (clickBefore && activated && !fixed) return;
    RestoreChosenPit();
    EndWait();
    delayLeft_ = DelayStillToWait();
    PostEvent(kComputerMoveFound);
}

void GameControl::GameEnded() {
    ShowPlayablePits(PlayablePits::None);
    record_.GameOver = true;
    if (!record_.TimerOn) {
        window_.ShowMessage(EndOfGameMessage(), std::string(settings::kAppName),
                            record_.ComputerGame ? MessageIcon::None : MessageIcon::Information);
    } else {
        SetTimer(TimerId::Clock, false);
        window_.ShowResultDialog(end_);
    }
    state_ = PlayState::Idle;
}

std::string GameControl::EndOfGameMessage() const {
    const Board& b = record_.Board;
    if (record_.ComputerGame) {
        const std::string human = record_.NameBottomHalf.empty() ? Text(settings::kTextHumanName)
                                                                 : record_.NameBottomHalf;
        return Text(settings::kTextComputerName)
            .append(Str(b[kTopStore]))
            .append("  -  ")
            .append(human)
            .append(Str(b[kBottomStore]));
    }
    std::string top =
        record_.NameTopHalf.empty() ? Text(settings::kTextSecondHumanName) : record_.NameTopHalf;
    const std::string bottom = record_.NameBottomHalf.empty() ? Text(settings::kTextFirstHumanName)
                                                              : record_.NameBottomHalf;
    return top.append(" : ")
        .append(Str(b[kTopStore]))
        .append("  -  ")
        .append(bottom)
        .append(" : ")
        .append(Str(b[kBottomStore]));
}

// ---- Turn-flow routines ----

void GameControl::TryHumanMove(int pit) {
    // One move a turn: a second click or key before the first is played finds
    // the window busy.
    if (record_.GameOver || state_ != PlayState::Idle) return;
    if (pit >= 0 && pit < kPitsPerRow) {
        if (record_.TopToMove || CheckMove(record_.Board, pit) != 1) return;
        movePit_ = pit;
        state_ = PlayState::Busy;
        PostEvent(kPlayBottomMove);
    } else if (pit >= kPitsPerRow && pit < kPits) {
        if (record_.ComputerGame || !record_.TopToMove) return;
        if (CheckMove(rotateboard(record_.Board), pit - kPitsPerRow) != 1) return;
        movePit_ = pit;
        state_ = PlayState::Busy;
        PostEvent(kPlayTopMove);
    }
}

int GameControl::ChooseComputerMove() {
    const auto rnd = [this] { return env_.Rnd ? env_.Rnd() : 0.0; };
    // The first reply to the standard opening is drawn by lot: from the last
    // four pits when the person's move left the first top pit alone, else
    // from all six.
    const auto pick = [&](int first) {
        return first + static_cast<int>(std::floor(rnd() * (kPits - first)));
    };
    const int32_t firstTopPit = record_.Board[kPitsPerRow];
    int pit = -1;
    if (record_.StandardStart && record_.OpeningFlag) {
        if (firstTopPit == engine::kStartStones) pit = pick(kPitsPerRow + 2);
        if (firstTopPit == engine::kStartStones + 1) pit = pick(kPitsPerRow);
    }
    // A pit drawn by lot is played only when the rules allow it.
    if (pit >= kPitsPerRow &&
        engine_.checkmove(rotateboard(record_.Board).data(), pit - kPitsPerRow, 0) == 1)
        return pit;
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
    ShowPlayablePits(PlayablePits::Hourglass);
}

std::array<Pointer, kPits> GameControl::PlayablePointers(bool top) const {
    std::array<Pointer, kPits> pointers;
    pointers.fill(Pointer::Default);
    const Board seen = top ? rotateboard(record_.Board) : record_.Board;
    for (int pit = 0; pit < kPitsPerRow; ++pit) {
        if (CheckMove(seen, pit) == 1)
            pointers[static_cast<size_t>(top ? pit + kPitsPerRow : pit)] = Pointer::Playable;
    }
    return pointers;
}

void GameControl::ShowPlayablePits(PlayablePits which) {
    std::array<Pointer, kPits> pointers;
    pointers.fill(Pointer::Default);
    Pointer window = Pointer::Default;
    switch (which) {
        case PlayablePits::BottomRow:
            pointers = PlayablePointers(false);
            break;
        case PlayablePits::TopRow:
            pointers = PlayablePointers(true);
            break;
        case PlayablePits::Hourglass:
            window = Pointer::Hourglass;
            pointers.fill(Pointer::Hourglass);
            break;
        case PlayablePits::ChosenPit:
            if (movePit_ >= 0 && movePit_ < kPits)
                pointers[static_cast<size_t>(movePit_)] = Pointer::Playable;
            break;
        case PlayablePits::None:
            break;
    }
    display_.SetPointers(window, pointers);
}

void GameControl::SetMoveIndicator(IndicatorRequest request) {
    if (request == IndicatorRequest::Hide) {
        display_.PaintPit(indicatorPit_, PitLook::Normal);
        return;
    }
    const bool turned = !record_.ComputerGame && record_.TopToMove;
    const Board seen = turned ? rotateboard(record_.Board) : record_.Board;
    const int current = turned ? indicatorPit_ - kPitsPerRow : indicatorPit_;
    int pit = NextLegalPit(current, request, [&](int p) { return CheckMove(seen, p) == 1; });
    if (turned) pit += kPitsPerRow;
    if (pit != indicatorPit_ || request == IndicatorRequest::First)
        display_.PaintPit(indicatorPit_, PitLook::Normal);
    indicatorPit_ = pit;
    display_.PaintPit(indicatorPit_, PitLook::Indicator);
}

void GameControl::UpdateCaption() {
    std::string caption(settings::kAppName);
    if (window_.Minimized() && state_ == PlayState::Thinking) {
        caption.append(" : ").append(Text(settings::kTextThinking));
    } else if (record_.TimerOn) {
        caption.append(" : ").append(Text(settings::kTextFirstLevel - 1 + record_.Level));
    } else if (!record_.ComputerGame) {
        // Players without names are called as the score texts call them.
        caption.append(" : ")
            .append(record_.NameBottomHalf.empty() ? Text(settings::kTextFirstHumanName)
                                                   : record_.NameBottomHalf)
            .append(" - ")
            .append(record_.NameTopHalf.empty() ? Text(settings::kTextSecondHumanName)
                                                : record_.NameTopHalf);
    }
    window_.SetCaption(caption);
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
    display_.PaintPit(movePit_, flashCount_ % 2 != 0 ? PitLook::Flash : PitLook::Normal);
    if (flashCount_ <= 0) {
        SetTimer(TimerId::Flash, false);
        PostEvent(kPlayTopMove);
    }
}

void GameControl::ClickPit(int pit) {
    Guarded([this, pit] {
        if (state_ == PlayState::AwaitingResponse && chosenPitShown_) {
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
    if (record_.GameOver || !options_.View[settings::kViewMoveIndicator]) return false;
    const bool bottomRow = indicatorPit_ < kPitsPerRow;
    const bool right = arrow == Arrow::Right;
    Guarded([&] {
        SetMoveIndicator(right == bottomRow ? IndicatorRequest::Next : IndicatorRequest::Previous);
    });
    return true;
}

bool GameControl::KeyPress(char key) {
    if (display_.WelcomeVisible()) {
        PostEvent(kDismissWelcome);
        return true;
    }
    if (record_.GameOver) return false;
    int pit = -1;
    // A pit of the side to move by its number or its letter, either case.
    for (const char first : {'1', 'a', 'A'}) {
        if (key >= first && key < first + kPitsPerRow) pit = key - first;
    }
    if (pit >= 0) {
        Guarded([&] {
            if (!record_.TopToMove)
                TryHumanMove(pit);
            else if (!record_.ComputerGame)
                TryHumanMove(pit + kPitsPerRow);
        });
        return true;
    }
    if (key == '\r') {
        if (options_.View[settings::kViewMoveIndicator] && record_.ComputerGame &&
            !record_.TopToMove)
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

// ---- The game commands ----

void GameControl::NewGame() {
    if (state_ == PlayState::Thinking) RequestStop();
    if (state_ == PlayState::AwaitingResponse) EndWait();
    chosenPitShown_ = false;  // the new game's first event colours every pit
    // The old game's computer move must never be played.
    if (TimerEnabled(TimerId::Flash)) SetTimer(TimerId::Flash, false);
    ring_.DropPlayEvents();
    PostEvent(kDismissWelcome);
    PostEvent(kNewGame);
}

void GameControl::ChooseOpponent() {
    record_.ComputerGame = !record_.ComputerGame;
    window_.SetSkillMenuVisible(record_.ComputerGame);
    SetClock(ClockMode::Off);
    PostEvent(NextTurn());
}

void GameControl::Pass() {
    record_.Pass();
    PostEvent(record_.ComputerGame ? kComputerTurn : kAwaitHumanMove);
}

void GameControl::MoveNow() {
    EndWait();
    PostEvent(kShowComputerMove);
}

void GameControl::TakeBack() {
    Guarded([this] { HandleEvent(kTakeBack); });
}

void GameControl::Replay() {
    Guarded([this] { HandleEvent(kReplay); });
}

void GameControl::TimerOff() {
    SetClock(ClockMode::Off);
}

void GameControl::Exit() {
    if (state_ == PlayState::Thinking) RequestStop();
    PostEvent(kCloseWindow);
}

void GameControl::ChooseLevel(int index) {
    if (!(record_.GameOver || !record_.TopToMove)) return;
    if (index < 0 || index > 8 || index + 1 == record_.Level) return;
    record_.Level = static_cast<int16_t>(index + 1);
    // Before the computer's first move the game is still young enough to
    // restart the clock for the new level; later the clock is off.
    SetClock(record_.OpeningFlag ? ClockMode::Start : ClockMode::Off);
}

void GameControl::AnalysisClosed(bool made) {
    if (made) PostEvent(kStopClock);
}

void GameControl::PositionAccepted(const Board& position, bool topToMove) {
    newPositionBoard_ = position;
    newPositionTopToMove_ = topToMove;
    PostEvent(kPositionSetUp);
}

void GameControl::GameLoaded() {
    PostEvent(kGameLoaded);
}

}  // namespace zeko::game
