// Presets are data a person may write: the shipped ones load and survive a
// round trip through JSON, and a broken one is refused with a message that
// says where.

#include "gis_preset.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(GisPreset, ShippedPresetsLoadAndRoundTrip) {
    for (const QString& name : CGisPreset::BuiltinNames()) {
        SCOPED_TRACE(name.toStdString());
        QString error;
        const auto preset = CGisPreset::Load(name, error);
        ASSERT_TRUE(preset) << error.toStdString();
        EXPECT_EQ(preset->m_strName, name);
        EXPECT_FALSE(preset->m_rules.isEmpty());
        const QByteArray json = preset->ToJson();
        const auto again =
            CGisPreset::FromJson(json, QStringLiteral(":/formats/presets"), name, error);
        ASSERT_TRUE(again) << error.toStdString();
        EXPECT_EQ(again->ToJson(), json);
        EXPECT_EQ(again->m_rules.size(), preset->m_rules.size());
    }
    QString error;
    const auto osm = CGisPreset::Load(QStringLiteral("OSM"), error);
    ASSERT_TRUE(osm);
    // The tag configuration it hands to GDAL travels with it.
    EXPECT_TRUE(osm->m_files.value(QStringLiteral("osmconf.ini")).contains("[multilinestrings]"));
    const QList<const GisRule*> lines = osm->RulesForLayer(QStringLiteral("LINES"), {});
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.first()->boundsBlocks);
    EXPECT_TRUE(osm->RulesForLayer(QStringLiteral("other_relations"), {}).isEmpty());
}

TEST(GisPreset, UserFileWithItsOwnFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile conf(dir.filePath(QStringLiteral("etiquetas.ini")));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write("[points]\nattributes=name\n");
    conf.close();
    QFile file(dir.filePath(QStringLiteral("mio.json")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"name": "mío", "open_options": {"osm": "CONFIG_FILE=preset:etiquetas.ini"},
        "rules": [{"kind": "blocks", "layer": "??m|manzanas", "type": {"field": "uso",
                   "map": {"parque": 2}, "other": 1}}]})");
    file.close();
    QString error;
    const auto preset = CGisPreset::Load(file.fileName(), error);
    ASSERT_TRUE(preset) << error.toStdString();
    EXPECT_EQ(preset->m_strName, QStringLiteral("mío"));
    EXPECT_EQ(preset->m_openOptions.value(QStringLiteral("OSM")),
              QStringList{QStringLiteral("CONFIG_FILE=preset:etiquetas.ini")});
    EXPECT_EQ(preset->m_files.value(QStringLiteral("etiquetas.ini")),
              QByteArray("[points]\nattributes=name\n"));
    EXPECT_EQ(preset->RulesForLayer(QStringLiteral("16M"), {}).size(), 1);
    EXPECT_EQ(preset->RulesForLayer(QStringLiteral("Manzanas"), {}).size(), 1);
    EXPECT_TRUE(preset->RulesForLayer(QStringLiteral("16mun"), {}).isEmpty());

    EXPECT_FALSE(CGisPreset::Load(dir.filePath(QStringLiteral("otro.json")), error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("No se puede leer el preajuste")))
        << error.toStdString();
}

// A rule may choose its layers by the fields they have and lack, whatever they
// are called; a rule with a name and fields takes the layers either chooses.
TEST(GisPreset, RulesChooseLayersByTheirFields) {
    QString error;
    const auto preset = CGisPreset::FromJson(
        R"({"rules": [
            {"kind": "blocks", "fields": ["CVE_MZA", "TIPOMZA|TIPO_MZA", "!CVE_SERV"]},
            {"kind": "places", "layer": "??l", "fields": ["nomgeo", "!cve_mza"], "name": "NOMGEO"},
            {"kind": "streets", "layer": "ejes"}]})",
        QDir::tempPath(), QStringLiteral("campos"), error);
    ASSERT_TRUE(preset) << error.toStdString();
    auto kinds = [&](const char* layer, const QStringList& fields) {
        QList<GisKind> out;
        for (const GisRule* rule : preset->RulesForLayer(QString::fromLatin1(layer), fields))
            out.append(rule->kind);
        return out;
    };
    const QStringList block{QStringLiteral("cvegeo"), QStringLiteral("cve_mza"),
                            QStringLiteral("tipomza")};
    EXPECT_EQ(kinds("16m-morelia", block), QList<GisKind>{GisKind::Blocks});
    EXPECT_EQ(kinds("x", {QStringLiteral("CVE_MZA"), QStringLiteral("TIPO_MZA")}),
              QList<GisKind>{GisKind::Blocks});
    EXPECT_TRUE(kinds("16m", {QStringLiteral("CVE_MZA")}).isEmpty());
    EXPECT_TRUE(kinds("16sia", block + QStringList{QStringLiteral("CVE_SERV")}).isEmpty());
    EXPECT_EQ(kinds("16l-morelia", {QStringLiteral("NOMGEO")}), QList<GisKind>{GisKind::Places});
    EXPECT_TRUE(kinds("16lpr", {QStringLiteral("NOMGEO"), QStringLiteral("CVE_MZA")}).isEmpty());
    // The name alone chooses too; the import then says which field is missing.
    EXPECT_EQ(kinds("16L", {QStringLiteral("NOM_GEO")}), QList<GisKind>{GisKind::Places});
    EXPECT_EQ(kinds("EJES", {}), QList<GisKind>{GisKind::Streets});

    // The fields survive the trip through JSON; a rule without a name keeps none.
    const QByteArray json = preset->ToJson();
    const auto again =
        CGisPreset::FromJson(json, QDir::tempPath(), QStringLiteral("campos"), error);
    ASSERT_TRUE(again) << error.toStdString();
    EXPECT_EQ(again->m_rules.first().layerFields,
              (QStringList{QStringLiteral("CVE_MZA"), QStringLiteral("TIPOMZA|TIPO_MZA"),
                           QStringLiteral("!CVE_SERV")}));
    EXPECT_TRUE(again->m_rules.first().layer.isEmpty());
    EXPECT_EQ(again->ToJson(), json);
}

struct BadPreset {
    const char* name;
    const char* json;
    const char* message; // what follows "El preajuste «prueba» ..."
};

class BrokenPreset : public ::testing::TestWithParam<BadPreset> {};

TEST_P(BrokenPreset, IsRefusedWithTheReason) {
    QString error;
    const auto preset = CGisPreset::FromJson(QByteArray(GetParam().json), QDir::tempPath(),
                                             QStringLiteral("prueba"), error);
    EXPECT_FALSE(preset);
    EXPECT_EQ(error,
              QStringLiteral("El preajuste «prueba» ") + QString::fromUtf8(GetParam().message));
}

const BadPreset kBadPresets[] = {
    {"NotJson", "{\"rules\": [", "no es JSON válido: unterminated array (posición 11)."},
    {"NotAnObject", "[1, 2]", "no es válido: debe ser un objeto JSON."},
    {"NoRules", "{\"name\": \"x\"}", "no es válido: falta la lista de reglas («rules»)."},
    {"UnknownTopKey", "{\"rulez\": [], \"rules\": [{}]}",
     "no es válido: clave desconocida «rulez» en el nivel superior."},
    {"UnknownKind", R"({"rules": [{"kind": "casas", "layer": "x"}]})",
     "no es válido: «kind» en la regla 1 no es un tipo conocido: «casas»."},
    {"NoLayer", R"({"rules": [{"kind": "blocks"}]})",
     "no es válido: falta «layer» o «fields» en la regla 1."},
    {"NoFields", R"({"rules": [{"kind": "blocks", "fields": []}]})",
     "no es válido: «fields» en la regla 1 no nombra ningún campo."},
    {"BlankField", R"({"rules": [{"kind": "blocks", "fields": ["CVE_MZA", "! | "]}]})",
     "no es válido: «fields» en la regla 1 tiene un campo en blanco."},
    {"FieldsNotText", R"({"rules": [{"kind": "blocks", "fields": [1]}]})",
     "no es válido: «fields» en la regla 1 debe ser una lista de textos."},
    {"PlaceOfNothing", R"({"rules": [{"kind": "places", "layer": "l"}]})",
     "no es válido: falta «name», «state» o «country» en la regla 1 (places)."},
    {"RoleOfAnotherKind", R"({"rules": [{"kind": "blocks", "layer": "m", "phone": "tel"}]})",
     "no es válido: clave desconocida «phone» en la regla 1."},
    {"MissingName",
     R"({"rules": [{"kind": "blocks", "layer": "m"}, {"kind": "references", "layer": "p"}]})",
     "no es válido: falta «name» en la regla 2 (references)."},
    {"TypeOutOfRange", R"({"rules": [{"kind": "blocks", "layer": "m", "block_type": 7}]})",
     "no es válido: «block_type» en la regla 1 debe ser un entero de 1 a 6."},
    {"TableTypeOutOfRange",
     R"({"rules": [{"kind": "blocks", "layer": "m", "type": {"field": "t", "map": {"a": 9}}}]})",
     "no es válido: el tipo de manzana «9» en «type» en la regla 1 no está entre 1 y 6."},
    {"AreaWithoutType", R"({"rules": [{"kind": "areas", "layer": "a"}]})",
     "no es válido: falta «block_type» o «type» en la regla 1 (areas)."},
    {"BadMatch",
     R"({"rules": [{"kind": "colonies", "layer": "c", "name": {"field": "n", "match": "like"}}]})",
     "no es válido: «match» en «name» en la regla 1 debe ser exact, prefix o contains."},
    {"EmptyCondition", R"({"rules": [{"kind": "blocks", "layer": "m", "where": {"tipo": []}}]})",
     "no es válido: la condición «tipo» en la regla 1 no da ningún valor."},
    {"BlankConditionField",
     R"({"rules": [{"kind": "blocks", "layer": "m", "where": {" | ": "x"}}]})",
     "no es válido: una condición en la regla 1 no nombra ningún campo."},
    {"BadColour", R"({"colors": {"rojo": "red"}, "rules": [{"kind": "blocks", "layer": "m"}]})",
     "no es válido: el color «rojo» debe escribirse como \"#rrggbb\"."},
    {"AreasOutOfOrder",
     R"({"blocks": {"min_area_m2": 500, "max_area_m2": 100}, "rules": [{"kind": "blocks", "layer": "m"}]})",
     "no es válido: «min_area_m2» debe ser menor que «max_area_m2»."},
    {"NegativeSpacing",
     R"({"labels": {"spacing_m": -4}, "rules": [{"kind": "blocks", "layer": "m"}]})",
     "no es válido: «spacing_m» en «labels» debe ser un número mayor que cero."},
    {"OptionWithoutValue",
     R"({"open_options": {"CSV": ["AUTODETECT"]}, "rules": [{"kind": "blocks", "layer": "m"}]})",
     "no es válido: la opción «AUTODETECT» debe tener la forma NOMBRE=VALOR."},
    {"FileOutsideTheFolder",
     R"({"open_options": {"OSM": ["CONFIG_FILE=preset:../secreto"]}, "rules": [{"kind": "blocks", "layer": "m"}]})",
     "no es válido: «preset:../secreto» debe nombrar un archivo junto al preajuste."},
    {"TemplateWithoutFields",
     R"({"rules": [{"kind": "businesses", "layer": "n", "name": "nombre", "comment": "{}"}]})",
     "no es válido: la plantilla «{}» en la regla 1 no nombra ningún campo."},
};

INSTANTIATE_TEST_SUITE_P(Cases, BrokenPreset, ::testing::ValuesIn(kBadPresets),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
