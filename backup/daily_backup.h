// The day's backup of the game's editable files under toolsbak, once a day.
#pragma once

#include <string>

#include "platform/platform.h"

// The date as year 年 month 月 day 日 in GBK bytes, without leading zeros.
std::string DayStamp(platform::Date date);
std::string DayStamp();

// Copies the game's files into today's folder of toolsbak unless today's
// backup exists, then says so.
void MakeDailyBackup();
