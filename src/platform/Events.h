#pragma once
// Lets pending window events run (repaints, progress strips) during long work on the one
// user-interface thread. Does nothing when no application object exists.

namespace orv {

void processPendingEvents();

}  // namespace orv
