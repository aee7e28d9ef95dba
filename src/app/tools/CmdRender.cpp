// tavenor-print-tool render / pdf: a page image as the editor shows it, and
// the print run to a PDF file: the problem sheet, the answer sheet, or both
// (every problem page, then every answer page).
#include "ToolMain.h"

#include "app/UnitHeadless.h"
#include "render/UnitFonts.h"

#include <QFileInfo>
#include <QImageWriter>

namespace {

struct Options {
    QString file, out;
    int page = 1, from = 1, to = -1;
    bool answers = false, names = false, both = false;
    int zoom = 100;
};

// Parses "FILE -o OUT [flags]"; false on anything it does not know.
bool parse(const QStringList &args, Options &o, bool pdf)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&](int &target) {
            if (i + 1 >= args.size())
                return false;
            bool ok = false;
            target = args[++i].toInt(&ok);
            return ok;
        };
        if (a == QLatin1String("-o")) {
            if (i + 1 >= args.size())
                return false;
            o.out = args[++i];
        } else if (a == QLatin1String("--answers")) {
            o.answers = true;
        } else if (pdf && a == QLatin1String("--both")) {
            o.both = true;
        } else if (!pdf && a == QLatin1String("--names")) {
            o.names = true;
        } else if (!pdf && a == QLatin1String("--page")) {
            if (!value(o.page) || o.page < 1)
                return false;
        } else if (!pdf && a == QLatin1String("--zoom")) {
            if (!value(o.zoom) || o.zoom < 10 || o.zoom > 800)
                return false;
        } else if (pdf && a == QLatin1String("--from")) {
            if (!value(o.from) || o.from < 1)
                return false;
        } else if (pdf && a == QLatin1String("--to")) {
            if (!value(o.to) || o.to < 1)
                return false;
        } else if (a.startsWith(QLatin1Char('-')) || !o.file.isEmpty()) {
            return false;
        } else {
            o.file = a;
        }
    }
    return !o.file.isEmpty() && !o.out.isEmpty() && !(o.both && o.answers);
}

bool open(HeadlessWorksheet &w, const Options &o, QTextStream &err)
{
    if (!QFileInfo(o.file).isFile()) {
        err << o.file << ": no such file\n";
        return false;
    }
    QString error;
    if (!w.load(o.file, error)) {
        err << error << "\n";
        return false;
    }
    w.view.AnswerDisplay = o.answers;
    w.view.NameDisplay = o.names && !o.answers;
    return true;
}

int render(const QStringList &args, QTextStream &, QTextStream &err)
{
    Options o;
    if (!parse(args, o, false))
        return 2;
    InstallFontSubstitutions();
    HeadlessWorksheet w;
    if (!open(w, o, err))
        return 1;
    w.layout(w.storedPages, Fixed4::fromRaw(int64_t(o.zoom) * 100), true);
    if (o.page > w.pages.count()) {
        err << "page " << o.page << " does not exist\n";
        return 1;
    }
    w.renderPage(o.page - 1);
    const QString suffix = QFileInfo(o.out).suffix().toLower();
    const QByteArray format = (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
                                  ? QByteArray("jpeg")
                                  : QByteArray("png");
    QImageWriter writer(o.out, format);
    if (!writer.write(w.pages.ImageP[o.page - 1].convertToFormat(QImage::Format_RGB888))) {
        err << writer.errorString() << "\n";
        return 1;
    }
    return 0;
}

int pdf(const QStringList &args, QTextStream &, QTextStream &err)
{
    Options o;
    if (!parse(args, o, true))
        return 2;
    InstallFontSubstitutions();
    HeadlessWorksheet w;
    if (!open(w, o, err))
        return 1;
    w.layout(w.storedPages, Fixed4::fromInt(1), true);
    QString error;
    const SheetChoice choice = o.both      ? SheetChoice::Both
                               : o.answers ? SheetChoice::Answers
                                           : SheetChoice::Problems;
    if (!w.printPdf(o.out, choice, o.from, o.to < 0 ? w.pages.count() : o.to, error)) {
        err << error << "\n";
        return 1;
    }
    return 0;
}

} // namespace

TOOL_COMMAND("render", "render FILE -o OUT.png|.jpg [--page N] [--answers] [--names] [--zoom PCT]",
             render);
TOOL_COMMAND("pdf", "pdf FILE -o OUT.pdf [--answers | --both] [--from A --to B]", pdf);
