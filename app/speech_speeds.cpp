#include "app/speech_speeds.h"

#include "app/settings.h"
#include "platform/core/runtime_error.h"
#include "platform/data/database.h"
#include "platform/forms/functions.h"
#include "platform/speech/voice.h"

#include <cmath>

namespace app {

namespace {

std::optional<int> readOne(data::Connection& cn, data::Recordset& rs, const wchar_t* query) {
    rs.Open(query, cn, 1, 3, -1);
    std::optional<int> speed = speedOf(rs.Fields(L"deyer").Value());
    rs.Close();
    return speed;
}

void storeOne(data::Database& db, const wchar_t* table, int speed) {
    const std::wstring name(table);
    core::Variant row = db.scalar(L"select rowid from " + name + L" limit 1");
    data::Statement st = db.prepare(row.isNull() ? L"insert into " + name + L" (deyer) values (?)"
                                                 : L"update " + name + L" set deyer = ? where rowid = ?");
    st.bind(1, core::Variant(int32_t(speed)));
    if (!row.isNull()) st.bind(2, row);
    st.execute();
}

} // namespace

std::optional<int> speedOf(const core::Variant& value) {
    if (value.isNull() || value.isEmpty()) return std::nullopt;
    double number = 0;
    try {
        number = value.toDouble();
    } catch (const core::RuntimeError&) {
        return std::nullopt;
    }
    if (!std::isfinite(number) || number < speech::kSlowest - 0.5 || number > speech::kFastest + 0.5)
        return std::nullopt;
    return int(std::nearbyint(number));
}

int stepOfSpeed(int speed) {
    const int step = int(std::nearbyint((speed - 120) / 4.0));
    return step < 1 ? 1 : step > 19 ? 19 : step;
}

int speedOfStep(int step) {
    return step * 4 + 120;
}

Speeds spokenSpeeds(const core::Variant& english, const core::Variant& russian) {
    const Speeds fallback;
    return {speedOf(english).value_or(fallback.english), speedOf(russian).value_or(fallback.russian)};
}

Speeds readSpeeds(data::Connection& cn, data::Recordset& rs, const std::wstring& programFolder,
                  Speeds previous) {
    OperationScope scope{cn, rs};
    cn.Open(settingsConnectionString(programFolder), L"", L"", -1);
    Speeds s = previous;
    s.english = readOne(cn, rs, L"select * from esu").value_or(previous.english);
    s.russian = readOne(cn, rs, L"select * from rsu").value_or(previous.russian);
    return s;
}

void storeSpeeds(data::Connection& cn, const std::wstring& programFolder, Speeds speeds) {
    struct Close {
        data::Connection& cn;
        ~Close() { cn.Close(); }
    } close{cn};
    cn.Open(settingsConnectionString(programFolder), L"", L"", -1);
    std::shared_ptr<data::Database> db = cn.session();
    db->startOperation();
    db->begin();
    try {
        storeOne(*db, L"esu", speeds.english);
        storeOne(*db, L"rsu", speeds.russian);
        db->commit();
    } catch (...) {
        db->rollback();
        throw;
    }
}

} // namespace app
