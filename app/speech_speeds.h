// The two speech speeds of the settings database (tables esu and rsu, field deyer), as the word
// popup and the speech-speed form read them and the speech-speed form stores them.
#pragma once

#include "platform/core/variant.h"
#include "platform/data/connection.h"
#include "platform/data/recordset.h"

#include <optional>
#include <string>

namespace app {

// The speed a value stands for: a number (halves to even) the engine can speak at; nothing for
// Null, an empty or non-numeric value, or one out of range.
std::optional<int> speedOf(const core::Variant& value);

// The slider's step for a speed, speed = 120 + 4 × step, clamped to the slider's 1 to 19.
int stepOfSpeed(int speed);
int speedOfStep(int step);

struct Speeds {
    int english = 160;
    int russian = 160;
};

// The speeds speech uses for two stored values: each one speedOf takes, else the 160 a newly opened
// word popup speaks at.
Speeds spokenSpeeds(const core::Variant& english, const core::Variant& russian);

// Reads both speeds on one connection; a table without a row or an unreadable value keeps the
// speed given. Database failures are RuntimeError.
Speeds readSpeeds(data::Connection& cn, data::Recordset& rs, const std::wstring& programFolder,
                  Speeds previous);
// Stores both in one transaction: the first row of each table, added when the table has none.
// A failure stores neither.
void storeSpeeds(data::Connection& cn, const std::wstring& programFolder, Speeds speeds);

} // namespace app
