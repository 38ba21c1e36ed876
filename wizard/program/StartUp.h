// The wizard's start-up: builds the session, prepares the machine and
// records the version being installed, up to the point where the first page
// is shown.
#pragma once

class NoticeForm;

// False when the program must end without showing a page (INF edit mode,
// a silent run without its answers, another wizard running, no update
// available or declined).
bool RunStartUpSequence(NoticeForm& notice);
