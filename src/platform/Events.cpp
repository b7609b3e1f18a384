#include "platform/Events.h"

#include <QCoreApplication>

namespace orv {

void processPendingEvents() {
    if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}

}  // namespace orv
