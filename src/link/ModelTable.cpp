#include "ModelTable.h"

#include "state/SqliteDatabase.h"

namespace ql {

namespace {

Failure tableFailure(const std::string& path, const std::string& why)
{
    return Failure{"The model table " + path + " cannot be read: " + why, "Model table",
                   MessageIcon::Critical};
}

}  // namespace

Result<std::optional<ModelCaps>> ModelTable::lookup(const std::string& modelName) const
{
    SqliteDatabase db(path_, SqliteDatabase::Mode::ReadOnly);
    if (!db.ok()) return tableFailure(path_, db.error().message);
    SqliteStatement st = db.prepare(
        "SELECT digimodea, digimodec, digimodec, analog, notbb, xyinv, tbma, pk, measa, "
        "newtbmode, pt_variabel, ddf2, trgypos FROM units "
        "WHERE scope = ?1 COLLATE NOCASE ORDER BY rowid LIMIT 1");
    if (!st.ok()) return tableFailure(path_, st.error().message);
    st.bind(1, modelName);
    const SqliteStatement::Step step = st.step();
    if (step == SqliteStatement::Step::Done) return std::optional<ModelCaps>{};
    if (step != SqliteStatement::Step::Row) return tableFailure(path_, st.error().message);
    bool flags[13];
    for (int i = 0; i < 13; ++i) {
        if (st.isNull(i))
            return tableFailure(path_, "the row of " + modelName + " has an empty flag");
        flags[i] = st.integer(i) != 0;
    }
    ModelCaps caps;
    caps.unitDigimodea = flags[0];
    caps.unitDigimodec = flags[1];
    caps.unitDigimodec2 = flags[2];
    caps.unitAnalog = flags[3];
    caps.unitNotbb = flags[4];
    caps.unitXyinv = flags[5];
    caps.unitTbma = flags[6];
    caps.unitPk = flags[7];
    caps.unitMeasa = flags[8];
    caps.unitNewtbmode = flags[9];
    caps.unitPtVariabel = flags[10];
    caps.unitDdf2 = flags[11];
    caps.unitTrgypos = flags[12];
    return std::optional<ModelCaps>{caps};
}

Result<std::vector<ModelRow>> ModelTable::listModels() const
{
    SqliteDatabase db(path_, SqliteDatabase::Mode::ReadOnly);
    if (!db.ok()) return tableFailure(path_, db.error().message);
    SqliteStatement st = db.prepare("SELECT scope, memo FROM units ORDER BY scope");
    if (!st.ok()) return tableFailure(path_, st.error().message);
    std::vector<ModelRow> rows;
    SqliteStatement::Step step;
    while ((step = st.step()) == SqliteStatement::Step::Row)
        rows.push_back(ModelRow{st.text(0), st.text(1)});
    if (step != SqliteStatement::Step::Done) return tableFailure(path_, st.error().message);
    return rows;
}

}  // namespace ql
