// The walk of the keyboard move indicator over the legal pits of one side.
#pragma once

#include <functional>

namespace zeko::game {

enum class IndicatorRequest;

// Pits are 0-5 of the side to move; legal(pit) asks the rules. First starts
// from pit 0 upwards, Next goes upwards from current with wrap-around,
// Previous downwards. When the walk comes back to where it stops (pit 0 for
// First, current otherwise) that pit is returned untested.
int NextLegalPit(int current, IndicatorRequest request, const std::function<bool(int)>& legal);

}  // namespace zeko::game
