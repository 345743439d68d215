// The walk of the keyboard move indicator over the legal pits of one side.
#pragma once

#include <functional>

namespace zeko::game {

// request 1: the first legal pit from pit 0 upwards; 2: the next legal pit
// after current, upwards with wrap-around; 3: the previous one, downwards.
// Pits are 0-5 of the side to move; legal(pit) asks the rules. When the walk
// comes back to where it stops (pit 0 for request 1, current otherwise) that pit
// is returned untested.
int NextLegalPit(int current, int request, const std::function<bool(int)>& legal);

}  // namespace zeko::game
