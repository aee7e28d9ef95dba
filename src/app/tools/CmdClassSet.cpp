// tavenor-print-tool class-set: a class set of a worksheet into one PDF,
// every copy with new random problems, its problem sheet and its answer
// sheet, numbered "No. 1", "No. 2", ... as the editor's "クラス分作成…"
// makes it. With a seed the same file gives the same problems and text.
#include "ToolMain.h"

#include "app/UnitClassSet.h"
#include "app/UnitHeadless.h"
#include "app/UnitSheetOutput.h"
#include "render/UnitFonts.h"

#include <QFileInfo>

namespace
{

int classSet(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString file, pdf;
    ClassSetOptions options;
    bool countGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == u"-o" && hasValue) {
            pdf = args[++i];
        } else if (a == u"-n" && hasValue) {
            bool ok = false;
            options.copies = args[++i].toInt(&ok);
            if (!ok || options.copies < 1 || options.copies > ClassSetMaxCopies) {
                err << "-n: 1 .. " << ClassSetMaxCopies << "\n";
                return 2;
            }
            countGiven = true;
        } else if (a == u"--seed" && hasValue) {
            bool ok = false;
            options.seed = args[++i].toULongLong(&ok);
            if (!ok) {
                err << "not a seed: " << args[i] << "\n";
                return 2;
            }
        } else if (a == u"--order" && hasValue) {
            const QString order = args[++i];
            if (order == u"interleaved") {
                options.order = ClassSetOrder::Interleaved;
            } else if (order == u"grouped") {
                options.order = ClassSetOrder::Grouped;
            } else {
                err << "--order: interleaved or grouped\n";
                return 2;
            }
        } else if (a == u"--no-number") {
            options.numbers = false;
        } else if (file.isEmpty() && !a.startsWith(u'-')) {
            file = a;
        } else {
            err << "unexpected argument: " << a << "\n";
            return 2;
        }
    }
    if (file.isEmpty() || pdf.isEmpty() || !countGiven)
        return 2;
    if (!QFileInfo(file).isFile()) {
        err << file << ": no such file\n";
        return 1;
    }
    InstallFontSubstitutions();
    HeadlessWorksheet source;
    QString error;
    if (!source.load(file, error)) {
        err << error << "\n";
        return 1;
    }
    ClassSetRun run(source.doc, source.storedPages, options);
    PdfSheetOutput output(pdf, source.doc.Paper);
    if (run.run(output, {}, error) != ClassSetRun::Outcome::Done) {
        err << error << "\n";
        return 1;
    }
    out << run.totalSheets() << "\n";
    return 0;
}

} // namespace

TOOL_COMMAND(
    "class-set",
    "class-set FILE -n N [--seed S] [--order interleaved|grouped] [--no-number] -o OUT.pdf",
    classSet);
