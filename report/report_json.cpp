#include "report_json.h"

#include "report/report_analysis.h"

#include "engine/inbreed.h"
#include "engine/pedigree_depth.h"
#include "platform/text_codec.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

QString text(const char *bytes)
{
    return QString::fromStdString(bytesToUtf8(bytes));
}

// One ancestor-table line of the current bird, its columns named after the engine's fields.
QJsonObject ancestorRow(const inbreed &engine)
{
    const inbreed::bird &b = engine.current();
    QJsonObject row;
    row["band"] = text(b.band);
    row["sex"] = QString(QChar(b.sex == '\0' ? ' ' : b.sex));
    row["inbreeding"] = b.inbreeding * 100.0;
    row["first_generation"] = b.min_gen;
    row["last_generation"] = b.max_gen;
    row["offspring"] = b.offspring;
    row["occurrences"] = b.occurrences;
    row["blood"] = b.blood * 100.0;
    row["sire_occurrences"] = b.sire_occurrences;
    row["sire_blood"] = b.sire_blood * 100.0;
    row["dam_occurrences"] = b.dam_occurrences;
    row["dam_blood"] = b.dam_blood * 100.0;
    row["contribution"] = b.contribution * 100.0;
    row["relationship"] = b.relationship * 100.0;
    row["pair_back"] = b.pair_back * 100.0;
    row["sire"] = text(engine.sire_band());
    row["dam"] = text(engine.dam_band());
    return row;
}

QJsonArray generations(const pedigree_depth &depth)
{
    QJsonArray rows;
    for (const depth_generation &g : depth.generations) {
        QJsonObject row;
        row["generation"] = g.generation;
        // Exact as doubles: at most 2 to the power of 49.
        row["known"] = static_cast<double>(g.known);
        row["possible"] = static_cast<double>(g.possible);
        row["completeness"] = g.completeness * 100.0;
        row["distinct"] = g.distinct;
        row["inbreeding"] = g.inbreeding * 100.0;
        rows.append(row);
    }
    return rows;
}

} // namespace

std::string analysisJson(ReportAnalysis &analysis, const std::string &fileName)
{
    inbreed &engine = analysis.engine();
    QJsonObject root;
    root["file"] = QString::fromStdString(fileName);
    root["rows_accepted"] = analysis.rowsAccepted();
    root["computed"] = analysis.computed();
    if (!analysis.computed())
        root["message"] = text(engine.message());

    QJsonArray ancestors;
    const int stored = std::min(engine.bird_count(), inbreed::bird_limit);
    for (int index = 1; index <= stored && engine.select_sorted(index); ++index)
        ancestors.append(ancestorRow(engine));
    QJsonObject pedigreed;
    pedigreed["band"] = ancestors.isEmpty() ? QString() : ancestors.last()["band"].toString();
    pedigreed["inbreeding"] = ancestors.isEmpty() ? 0.0 : ancestors.last()["inbreeding"].toDouble();
    root["pedigreed_bird"] = pedigreed;
    root["ancestors"] = ancestors;

    const pedigree_depth &depth = analysis.depth();
    root["generations"] = generations(depth);
    root["equivalent_complete_generations"] = depth.equivalent_complete_generations;
    root["pci4"] = depth.pci4 * 100.0;
    root["ancestral_loss_5"] = depth.ancestral_loss_5 * 100.0;
    root["ancestral_loss_all"] = depth.ancestral_loss_all * 100.0;
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}
