#include "wizard/pages/ServerCopySeam.h"

// The server copy page is not part of this program yet: the path ends here,
// with no page shown, and the program ends with the page that led here.
void ShowServerCopyPage() {}
