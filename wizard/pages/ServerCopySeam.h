// Where the paths of a database server (and of a terminal server that holds
// the database) go on to the copy of the setup onto the server.
#pragma once

void ShowServerCopyPage();
