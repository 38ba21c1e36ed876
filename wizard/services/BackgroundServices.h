// Ending the suite's background components that keep installation files
// open. Each component found running is ended, the user is warned, and a
// restart flag is left in the suite key for the post-setup program.
#pragma once

// Ends the emergency-order monitor process (always run at start-up).
void StopEmergencyOrderMonitor();
// Stops the running backup services (trades line only).
void StopBackupService();
// Stops the Exchange synchronisation service (trades line only).
void StopExchangeSyncService();
