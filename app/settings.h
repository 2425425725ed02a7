#pragma once

#include "app/passwords.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/data/connection.h"
#include "platform/data/recordset.h"

#include <array>
#include <future>
#include <string>

namespace app {

// Closes what an operation opened, also when it ends with an error.
struct OperationScope {
    data::Connection& cn;
    data::Recordset& rs;
    ~OperationScope() {
        rs.Close();
        cn.Close();
    }
};

// The connection strings, built as the forms always built them: the dictionary's data source holds
// "/oracle/" followed by "\dat.vex", which the layer normalises.
std::wstring settingsConnectionString(const std::wstring& programFolder);
// databaseFolder is the program folder followed by "/oracle/".
std::wstring dictionaryConnectionString(const std::wstring& databaseFolder);

// What the settings database holds. A table without a row, or a value that is Null or cannot be
// read, gives the default below.
struct Settings {
    bool ses = false;
    std::array<std::wstring, 4> adam; // pieces 1 to 4 of the "$"-joined value
    std::wstring esu = L"160";        // English speech speed
    std::wstring rsu = L"160";        // Russian speech speed
    std::wstring dil = L"en";         // interface language code
};

// Reads the five tables, in the order ses, adam, esu, rsu, dil, on one connection; the first row of
// each counts. Another program's hold on the file is waited for until the deadline. Database
// failures are core::RuntimeError.
Settings readSettings(data::Connection& cn, data::Recordset& rs, const std::wstring& programFolder,
                      const data::Deadline& deadline = data::Deadline());

// The same on a thread of its own with its own connection, so that reading overlaps the making of
// the window. A first try waits for nothing; `firstTry` then says whether it met another program's
// hold on the file, in which case the read goes on waiting for the file within one deadline from the
// start. `settings` gives the settings or the failure.
struct SettingsAhead {
    std::shared_future<bool> firstTry;
    std::future<Settings> settings;
};
SettingsAhead readSettingsAhead(const std::wstring& programFolder);

// Writes one value into the first row of a settings table ("select * from <table>"), adding the row
// when the table has none.
void storeSetting(data::Connection& cn, data::Recordset& rs, const std::wstring& programFolder,
                  const std::wstring& table, const std::wstring& column, const core::Variant& value);

} // namespace app
