// On Windows the core's boxes reach the recorder instead of opening on the screen
// and waiting for a click.
#include "support/core_fixture.h"
#include "support/windows/message_box_slot.h"

KIVO6_ROUTE_MESSAGEBOXA_TO(RecordMessageBox)
