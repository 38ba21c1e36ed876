// A minimal view of Windows services by key name. Callers compare the state
// only with kServiceRunning (stop it) and kServiceStopped (start it).
#pragma once

#include <string>

inline constexpr int kServiceNotAvailable = 0;
inline constexpr int kServiceStopped = 1;
inline constexpr int kServiceRunning = 4;

// 1..7 as the service control manager reports it, 0 when it cannot be read.
int GetServiceState(const std::string& machine, const std::string& service);
// Sends the stop request and returns at once; true when it was accepted.
bool StopServiceByName(const std::string& machine, const std::string& service);
// Asks for a start without arguments and returns at once; true when it was
// accepted.
bool StartServiceByName(const std::string& machine, const std::string& service);
