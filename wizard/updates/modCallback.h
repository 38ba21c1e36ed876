// The procedure setupapi calls back during a cabinet iteration, and the one
// CabFile that receives its notifications. One iteration at a time.
#pragma once

#include "platform/Cabinet.h"

class CabFile;

void SetCallbackTarget(CabFile* target);
// Forgets `target` if it is the one stored (a CabFile being destroyed).
void ForgetCallbackTarget(const CabFile* target);
// 0 without a target; otherwise the target's answer. Never throws.
unsigned CabinetCallback(unsigned context,
                         const platform::cabinet::Notification& notification) noexcept;
