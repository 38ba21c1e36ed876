// The wizard's entry after the program has started: the start-up sequence,
// then the first page.
#pragma once

// Returns after showing the first page, or at once when the program must end
// without one. The pages then run in the event loop.
void StartWizard();
