#include "app/settings.h"

#include "app/database_paths.h"
#include "platform/core/runtime_error.h"
#include "platform/core/variant.h"
#include "platform/data/connection_string.h"
#include "platform/data/errors.h"
#include "platform/forms/functions.h"

#include <memory>

namespace app {

namespace {

core::Variant firstValue(data::Connection& cn, data::Recordset& rs, const std::wstring& query,
                         const std::wstring& column) {
    rs.Open(query, cn, 1, 3, -1);
    core::Variant v = rs.Fields(column).Value();
    rs.Close();
    return v;
}

std::wstring textOr(const core::Variant& v, const std::wstring& fallback) {
    if (v.isNull() || v.isEmpty()) return fallback;
    try {
        std::wstring text = v.toString();
        return text.empty() ? fallback : text;
    } catch (const core::RuntimeError&) {
        return fallback;
    }
}

bool booleanOr(const core::Variant& v, bool fallback) {
    if (v.isNull() || v.isEmpty()) return fallback;
    try {
        return v.toBoolean();
    } catch (const core::RuntimeError&) {
        return fallback;
    }
}

} // namespace

// The data source is quoted where the folder's name needs it (a ";" in it would end the value).
std::wstring settingsConnectionString(const std::wstring& programFolder) {
    return L"Provider=Microsoft.jet.oledb.4.0; Data Source=" +
           data::connectionValue(databasePaths(programFolder).settings) + L";Jet Oledb:Database Password =" +
           kSettingsPassword;
}

std::wstring dictionaryConnectionString(const std::wstring& databaseFolder) {
    return L"Provider=Microsoft.jet.oledb.4.0; Data Source=" +
           data::connectionValue(databaseFolder + L"\\dat.vex") + L";Jet Oledb:Database Password =" +
           kDictionaryPassword;
}

Settings readSettings(data::Connection& cn, data::Recordset& rs, const std::wstring& programFolder,
                      const data::Deadline& deadline) {
    Settings s;
    OperationScope scope{cn, rs};
    cn.Open(settingsConnectionString(programFolder), deadline);

    s.ses = booleanOr(firstValue(cn, rs, L"select ses from ses ", L"ses"), s.ses);

    // A value with fewer pieces leaves the missing ones empty.
    auto pieces = forms::Split(textOr(firstValue(cn, rs, L"select adam from adam ", L"adam"), L""), L"$");
    for (size_t i = 0; i < s.adam.size(); ++i)
        if (i + 1 < pieces.size()) s.adam[i] = pieces[i + 1];

    s.esu = textOr(firstValue(cn, rs, L"select deyer from esu ", L"deyer"), s.esu);
    s.rsu = textOr(firstValue(cn, rs, L"select deyer from rsu ", L"deyer"), s.rsu);
    s.dil = textOr(firstValue(cn, rs, L"select dil from dil ", L"dil"), s.dil);
    return s;
}

SettingsAhead readSettingsAhead(const std::wstring& programFolder) {
    auto firstTry = std::make_shared<std::promise<bool>>();
    SettingsAhead ahead{firstTry->get_future().share(), {}};
    ahead.settings = std::async(std::launch::async, [programFolder, firstTry] {
        const data::Deadline deadline;
        data::Connection cn;
        data::Recordset rs;
        // However the first try ends, the window learns whether the read goes on waiting.
        struct Told {
            std::promise<bool>& p;
            bool held = false;
            ~Told() { p.set_value(held); }
        };
        {
            Told told{*firstTry};
            try {
                return readSettings(cn, rs, programFolder, data::Deadline(0));
            } catch (const core::RuntimeError& e) {
                if (e.number() != data::err::Locked) throw;
                told.held = true;
            }
        }
        return readSettings(cn, rs, programFolder, deadline);
    });
    return ahead;
}

void storeSetting(data::Connection& cn, data::Recordset& rs, const std::wstring& programFolder,
                  const std::wstring& table, const std::wstring& column, const core::Variant& value) {
    OperationScope scope{cn, rs};
    cn.Open(settingsConnectionString(programFolder), L"", L"", -1);
    rs.Open(L"select * from " + table, cn, 1, 3, -1);
    rs.Fields(column).setValue(value);
    rs.Update();
}

} // namespace app
