// Which page follows which. Each choice is a small function of the session,
// so that it can be tested apart from the pages.
#pragma once

struct SetupSession;

enum class PageAfterWelcomeChoice { SystemRequirements, InstallationType };

// A prescribed update skips the system requirements.
PageAfterWelcomeChoice PageAfterWelcome(const SetupSession& session);

// Shows the page that follows the Welcome page.
void ShowPageAfterWelcome();
