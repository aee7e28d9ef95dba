// libFuzzer target for the worksheet and name-field readers: every input is
// read as a worksheet, as a name field and as a header list; a worksheet that
// was read is written again and must read back with the same rows.
#include "document/UnitFile.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Broken pictures make the JPEG decoder complain on every run.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    Document doc;
    const FileResult r = ParseFileAll(bytes, doc);
    if (r.ok) {
        for (int i = 0; i < doc.AData.size(); ++i)
            if (doc.AData[i].ID != i || doc.AData[i].Layer == 0)
                std::abort();
        Document again;
        if (!ParseFileAll(BuildFileBytes(doc, LayerWorksheet), again).ok)
            std::abort();
        qsizetype written = 0;
        for (const RAData &row : doc.AData)
            written += !row.Syu.isEmpty();
        if (again.AData.size() != written || again.BMData.size() != doc.BMData.size())
            std::abort();
        NameFieldFile nameField;
        if (!ParseFile(BuildFileBytes(doc, LayerNameField), nameField).ok)
            std::abort();
    } else if (r.message.isEmpty()) {
        std::abort();
    }

    NameFieldFile nameField;
    if (ParseFile(bytes, nameField).ok) {
        Document target;
        LoadData1(target, nameField.objectLines, 0);
    }

    QStringList list;
    if (ParseFileHeaderList(bytes, list).ok)
        LoadHerderList(list);
    return 0;
}
