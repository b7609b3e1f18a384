#pragma once
// How one of the program's own modal dialogs ended: went through, or cancelled by the user.
// Each dialog step returns it and its caller decides what follows.
namespace orv {

enum class DialogOutcome { Accepted, Cancelled };

}  // namespace orv
