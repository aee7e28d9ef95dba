// Long random edit sessions on the sample worksheets and the readable
// corpus files: every kind of edit the editor offers (creating each kind of
// object, moving, resizing, nudging, arranging, restacking, locking, modes,
// restyling, deleting, the clipboard, "決定", "作成", paper, answer colour)
// in random order, mixed with undo and redo. After every step the worksheet
// writes and reads back, undoing everything gives the bytes it started with
// and redoing everything the bytes of now, no row refers to a missing
// picture and the selection names only existing rows.
//
// The ordinary run takes a few hundred steps. TAVENOR_SESSION_STEPS=N runs
// N steps in all (sessions of at most SessionLength steps each, one
// worksheet after another) and TAVENOR_SESSION_SEED=S starts from another
// seed; a failure names the seed and step that reproduce it.
#include "EditTestSupport.h"
#include "document/UnitFile.h"
#include "document/UnitHeaderCommands.h"
#include "editing/UnitObjectCommands.h"
#include "editing/UnitSelectionCommands.h"
#include "math/UnitRegenerate.h"
#include "math/UnitSiki.h"
#include "platform/UnitMessages.h"

#include <QDir>
#include <QMap>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <random>

namespace
{

constexpr int SessionLength = 120;

bool usesPicture(const QString &syu)
{
    return syu == u"4" || syu == u"b" || syu == u"r";
}

int64_t environmentNumber(const char *name, int64_t fallback)
{
    bool ok = false;
    const int64_t v = qEnvironmentVariable(name).toLongLong(&ok);
    return ok && v > 0 ? v : fallback;
}

// The sample library and the corpus files that read as worksheets whose
// picture rows all name a picture.
QStringList startingWorksheets()
{
    QStringList paths;
    for (const char *folder : {"/assets/Navi", "/tests/fuzz/corpus"}) {
        const QDir dir(QStringLiteral(TAVENOR_SOURCE_DIR) + QLatin1String(folder));
        for (const QString &name :
             dir.entryList({QStringLiteral("*.prx")}, QDir::Files, QDir::Name))
            paths.append(dir.filePath(name));
    }
    return paths;
}

class Session
{
public:
    Session(uint64_t seed, const QString &path) : mRandom(seed)
    {
        b.host->renderOnRedraw = false;
        Document loaded;
        mLoaded = LoadFileAll(path, loaded).ok;
        if (mLoaded)
            TakeWorksheet(b.doc, std::move(loaded));
        b.doc.resetHistory();
        siki.SyokiForm();
        siki.SeedRandom(seed);
        siki.RandMax = 50;
        b.ctl->setSikiForm(&siki);
        mStart = bytes();
        mTop = mStart;
        QObject::connect(&b.doc.events(), &DocumentEvents::changed, &b.window,
                         [this] { ++mChanges; });
    }
    ~Session() { b.ctl->setSikiForm(nullptr); }

    // Readable, and every picture row names a picture: the invariants can
    // hold from the start.
    bool usable() const
    {
        if (!mLoaded)
            return false;
        for (const RAData &r : b.doc.AData)
            if (usesPicture(r.Syu) && (r.PicNo < 0 || r.PicNo >= b.doc.BMData.size()))
                return false;
        return true;
    }

    QByteArray bytes() const { return BuildFileBytes(b.doc, LayerWorksheet, 2); }
    // A count that moves with every edit, undo and redo of the worksheet.
    int changes() const { return mChanges; }

    // One random edit; returns what it was, for the failure message.
    QString step()
    {
        const int kind = pick(24);
        switch (kind) {
        case 0:
            return createText();
        case 1:
            return createTwoPresses(true);
        case 2:
            return createTwoPresses(false);
        case 3:
            return createPicture();
        case 4:
            return createProblem();
        case 5:
        case 6:
            return select();
        case 7:
            return drag();
        case 8:
            return resize();
        case 9:
            return nudge();
        case 10:
            return arrange();
        case 11:
            return restack();
        case 12:
            return lock();
        case 13:
            return mode();
        case 14:
            return restyle();
        case 15:
            return remove();
        case 16:
            return clipboard();
        case 17:
            return regenerate();
        case 18:
            return paper();
        case 19:
            return answerColor();
        case 20:
            return displayModes();
        case 21:
        case 22:
            return undo();
        default:
            return redo();
        }
    }

    // The invariants after a step; an empty text when they all hold.
    QString check()
    {
        for (const RMouseSelect &e : b.ctl->selection().entries())
            if (e.ANo < 0 || e.ANo >= b.doc.AData.size())
                return QStringLiteral("the selection names row %1 of %2")
                    .arg(e.ANo)
                    .arg(b.doc.AData.size());
        for (int i = 0; i < b.doc.AData.size(); ++i) {
            const RAData &r = b.doc.AData[i];
            if (usesPicture(r.Syu) && (r.PicNo < 0 || r.PicNo >= b.doc.BMData.size()))
                return QStringLiteral("row %1 names picture %2 of %3")
                    .arg(i)
                    .arg(r.PicNo)
                    .arg(b.doc.BMData.size());
        }
        const QByteArray now = bytes();
        if (now.isEmpty())
            return QStringLiteral("the worksheet does not write");
        Document again;
        if (!ParseFileAll(now, again).ok)
            return QStringLiteral("the written worksheet does not read back");
        qsizetype written = 0;
        for (const RAData &r : b.doc.AData)
            written += !r.Syu.isEmpty();
        if (again.AData.size() != written || again.BMData.size() != b.doc.BMData.size())
            return QStringLiteral("the read-back worksheet has other rows or pictures");

        // The bytes at the top of the stack: those of now when nothing is
        // left to redo, otherwise those seen when the top was last reached
        // (undo and redo push nothing, and any new edit empties the redo).
        QUndoStack &stack = b.doc.undoStack();
        const int index = stack.index();
        if (index == stack.count())
            mTop = now;
        stack.setIndex(0);
        if (bytes() != mStart)
            return QStringLiteral("undoing everything does not give the starting bytes");
        stack.setIndex(stack.count());
        if (bytes() != mTop)
            return QStringLiteral("redoing everything does not give the final bytes");
        // Back to where the session was, so that redo steps stay possible.
        stack.setIndex(index);
        if (bytes() != now)
            return QStringLiteral("undo and redo back to the step do not give its bytes");
        for (const RMouseSelect &e : b.ctl->selection().entries())
            if (e.ANo < 0 || e.ANo >= b.doc.AData.size())
                return QStringLiteral("after undo and redo the selection names row %1").arg(e.ANo);
        return QString();
    }

private:
    int pick(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(mRandom)); }
    int page() { return pick(2); }
    int coordinate() { return 5 + pick(700); }

    QVector<int> rowsOnPanels() const
    {
        QVector<int> rows;
        for (int i = 0; i < b.doc.AData.size(); ++i)
            if (b.doc.AData[i].Page >= 0 && b.doc.AData[i].Page < 2)
                rows.append(i);
        return rows;
    }

    QString createText()
    {
        static const QStringList texts{QStringLiteral("なまえ"), QStringLiteral("1\n2\n3"),
                                       QStringLiteral("①＋②"), QStringLiteral(" ")};
        b.ctl->ToolButton5Click();
        b.click(page(), coordinate(), coordinate());
        if (TFormMoji *moji = b.ctl->formMoji()) {
            moji->MemoMoji->setPlainText(texts[pick(texts.size())]);
            moji->Button1->click();
        }
        b.ctl->ToolButton9Click();
        return QStringLiteral("text");
    }
    QString createTwoPresses(bool line)
    {
        if (line)
            b.ctl->ToolButton6Click();
        else
            b.ctl->ToolButton8Click();
        const int p = page();
        b.click(p, coordinate(), coordinate());
        b.click(p, coordinate(), coordinate());
        b.ctl->ToolButton9Click();
        return line ? QStringLiteral("line") : QStringLiteral("box");
    }
    QString createPicture()
    {
        QImage picture(4 + pick(20), 4 + pick(20), QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(pick(360), 200, 200));
        RAData &n = b.doc.NewData;
        n.Page = page();
        n.X1 = coordinate();
        n.Y1 = coordinate();
        b.ctl->SetPicture(picture, QStringLiteral("画像"));
        return QStringLiteral("picture");
    }
    QString createProblem()
    {
        static const QStringList expressions{QStringLiteral("3+4"), QStringLiteral("12.5-3.75"),
                                             QStringLiteral("7/2"), QStringLiteral("1/0"),
                                             QStringLiteral("(1+2)*3")};
        b.ctl->ToolButton10Click();
        b.click(page(), coordinate(), coordinate());
        siki.SelectPage(TFormSiki::PageYoko);
        siki.MemoY1->setText(expressions[pick(expressions.size())]);
        siki.MakeSikiKotaeYoko();
        siki.Kettei(); // "決定"
        siki.hide();
        b.ctl->ToolButton9Click();
        return QStringLiteral("決定");
    }
    QString select()
    {
        const QVector<int> rows = rowsOnPanels();
        b.ctl->ToolButton9Click();
        if (rows.isEmpty())
            return QStringLiteral("select nothing");
        const bool several = pick(3) == 0;
        if (b.edit->SpeedButtonS->isChecked() != several) {
            b.edit->SpeedButtonS->setChecked(several);
            b.ctl->SpeedButtonSClick();
        }
        for (int k = 0, n = several ? 1 + pick(4) : 1; k < n; ++k) {
            const RAData &r = b.doc.AData[rows[pick(rows.size())]];
            b.click(r.Page, r.X1 + 1, r.Y1 + 1);
        }
        if (pick(5) == 0)
            b.ctl->SelectAllOnPage();
        return QStringLiteral("select");
    }
    QString drag()
    {
        const QVector<int> rows = rowsOnPanels();
        if (rows.isEmpty())
            return QStringLiteral("drag nothing");
        b.ctl->ToolButton9Click();
        const RAData r = b.doc.AData[rows[pick(rows.size())]];
        const int dx = pick(81) - 40, dy = pick(81) - 40;
        b.press(r.Page, r.X1 + 1, r.Y1 + 1);
        b.move(r.Page, r.X1 + 1 + dx / 2, r.Y1 + 1 + dy / 2);
        b.move(r.Page, r.X1 + 1 + dx, r.Y1 + 1 + dy);
        b.release(r.Page, r.X1 + 1 + dx, r.Y1 + 1 + dy);
        return QStringLiteral("move");
    }
    QString resize()
    {
        const int h = 1 + pick(4);
        TResizeHandle *handle = b.ctl->marks().PanelPS(h);
        if (!handle || handle->isHidden())
            return QStringLiteral("resize nothing");
        const QPoint start = handle->geometry().center();
        const QPoint by(b.px(pick(61) - 30), b.px(pick(61) - 30));
        b.ctl->HandleMouseDown(Handle(h), start);
        b.ctl->HandleMouseMove(start + by / 2);
        b.ctl->HandleMouseMove(start + by);
        b.ctl->HandleMouseUp(start + by);
        return QStringLiteral("resize");
    }
    QString nudge()
    {
        static const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
        const Qt::KeyboardModifiers mods = pick(2) ? Qt::ShiftModifier : Qt::NoModifier;
        for (int k = 0, n = 1 + pick(3); k < n; ++k)
            b.ctl->KeyPress(keys[pick(4)], mods);
        return QStringLiteral("nudge");
    }
    QVector<RMouseSelect> selection() const { return b.ctl->selection().entries(); }
    QString arrange()
    {
        if (pick(2)) {
            static const AlignKind kinds[] = {AlignKind::Left, AlignKind::Center, AlignKind::Right};
            b.doc.push(std::make_unique<AlignObjectsCommand>(b.doc, selection(), kinds[pick(3)]));
            return QStringLiteral("align");
        }
        static const SpacingKind kinds[] = {SpacingKind::Equal, SpacingKind::PackUp,
                                            SpacingKind::Gap};
        b.doc.push(
            std::make_unique<SpaceObjectsCommand>(b.doc, selection(), kinds[pick(3)], pick(50)));
        return QStringLiteral("space");
    }
    QString restack()
    {
        b.doc.push(std::make_unique<RestackObjectCommand>(b.doc, selection(), pick(2) == 0));
        return QStringLiteral("restack");
    }
    QString lock()
    {
        b.doc.push(std::make_unique<LockObjectsCommand>(b.doc, b.renderer->metrics(), selection(),
                                                        pick(2) == 0));
        return QStringLiteral("lock");
    }
    QString mode()
    {
        static const ObjectMode modes[] = {ObjectMode::Standard, ObjectMode::Answer,
                                           ObjectMode::NameField};
        b.doc.push(std::make_unique<SetObjectModeCommand>(b.doc, b.renderer->metrics(), selection(),
                                                          modes[pick(3)]));
        return QStringLiteral("mode");
    }
    QString restyle()
    {
        RStyleChange change;
        switch (pick(6)) {
        case 0:
            change = RStyleChange::foreColor(pick(0xFFFFFF));
            break;
        case 1:
            change = RStyleChange::backColor(pick(0xFFFFFF));
            break;
        case 2:
            change = RStyleChange::noBackColor();
            break;
        case 3:
            change = RStyleChange::fontName(QStringLiteral("ＭＳ 明朝"));
            break;
        case 4:
            change = RStyleChange::fontSize(1 + pick(40));
            break;
        default:
            change = RStyleChange::fontStyle(FontStyle::Bold, pick(2) == 0);
            break;
        }
        b.doc.push(std::make_unique<RestyleObjectsCommand>(
            b.doc, QStringLiteral("スタイル"), selection(), change, &b.renderer->metrics()));
        return QStringLiteral("restyle");
    }
    QString remove()
    {
        b.ctl->KeyPress(Qt::Key_Delete, Qt::NoModifier);
        return QStringLiteral("delete");
    }
    QString clipboard()
    {
        switch (pick(4)) {
        case 0:
            b.ctl->CopySelection();
            return QStringLiteral("copy");
        case 1:
            b.ctl->CutSelection();
            return QStringLiteral("cut");
        case 2:
            b.view.ActivePage = page();
            b.ctl->PasteClipboard();
            return QStringLiteral("paste");
        default:
            b.ctl->DuplicateSelection();
            return QStringLiteral("duplicate");
        }
    }
    QString regenerate()
    {
        b.doc.push(std::make_unique<RegenerateCommand>(b.doc, siki)); // "作成"
        return QStringLiteral("作成");
    }
    QString paper()
    {
        RPaperData p = b.doc.Paper;
        if (pick(2)) {
            std::swap(p.Width, p.Height);
            std::swap(p.PaperW, p.PaperH);
            p.Orientation = p.Orientation == u"1" ? QStringLiteral("2") : QStringLiteral("1");
        } else {
            p.PaperSizeCode = QStringLiteral("13");
            p.Width = QStringLiteral("182");
            p.Height = QStringLiteral("257");
            p.PaperW = 1820000;
            p.PaperH = 2570000;
        }
        b.doc.push(std::make_unique<ChangePaperCommand>(b.doc, p));
        return QStringLiteral("paper");
    }
    QString answerColor()
    {
        b.doc.push(std::make_unique<ChangeAnswerColorCommand>(b.doc, TColor(pick(0xFFFFFF))));
        return QStringLiteral("answer colour");
    }
    QString displayModes()
    {
        b.view.AnswerDisplay = pick(2) == 0;
        b.view.NameDisplay = pick(3) == 0;
        return QStringLiteral("display modes");
    }
    QString undo()
    {
        for (int k = 0, n = 1 + pick(3); k < n; ++k)
            b.doc.undoStack().undo();
        return QStringLiteral("undo");
    }
    QString redo()
    {
        for (int k = 0, n = 1 + pick(3); k < n; ++k)
            b.doc.undoStack().redo();
        return QStringLiteral("redo");
    }

    std::mt19937_64 mRandom;
    EditBench b{10000, 2};
    TFormSiki siki{b.doc};
    bool mLoaded = false;
    QByteArray mStart;
    QByteArray mTop;
    int mChanges = 0;
};

// Runs `steps` steps in sessions from `seed` over the starting worksheets;
// returns the number of steps run and reports the first broken invariant.
int64_t runSessions(uint64_t seed, int64_t steps, QMap<QString, int> &changed)
{
    const QStringList paths = startingWorksheets();
    EXPECT_GE(paths.size(), 6);
    int64_t done = 0;
    for (int64_t session = 0; done < steps; ++session) {
        const uint64_t sessionSeed = seed + uint64_t(session);
        const QString path = paths[int(session % paths.size())];
        Session s(sessionSeed, path);
        if (!s.usable()) {
            if (session > 2 * paths.size() && done == 0)
                break;
            continue;
        }
        for (int k = 0; k < SessionLength && done < steps; ++k, ++done) {
            const int before = s.changes();
            const QString what = s.step();
            if (s.changes() != before)
                ++changed[what];
            const QString fault = s.check();
            if (!fault.isEmpty()) {
                ADD_FAILURE() << "session seed " << sessionSeed << " on " << path.toStdString()
                              << ", step " << k << " (" << what.toStdString()
                              << "): " << fault.toStdString();
                return done;
            }
        }
    }
    return done;
}

} // namespace

class EditSessionTest : public ::testing::Test
{
protected:
    void SetUp() override { SetMessages(&messages); }
    void TearDown() override { SetMessages(nullptr); }
    ScriptedMessages messages;
};

TEST_F(EditSessionTest, RandomEditsKeepTheWorksheetSoundAndUndoable)
{
    const int64_t steps = environmentNumber("TAVENOR_SESSION_STEPS", 400);
    const uint64_t seed = uint64_t(environmentNumber("TAVENOR_SESSION_SEED", 20261210));
    QMap<QString, int> changed;
    EXPECT_EQ(runSessions(seed, steps, changed), steps);
    std::printf("%lld steps from seed %llu; steps that changed the worksheet:\n",
                static_cast<long long>(steps), static_cast<unsigned long long>(seed));
    for (auto it = changed.cbegin(); it != changed.cend(); ++it)
        std::printf("  %s %d\n", qPrintable(it.key()), it.value());
    // The sessions really edit: every kind of creation, the arrangement and
    // the history steps changed the worksheet at least once.
    for (const char *kind : {"text", "line", "box", "picture", "決定", "move", "nudge", "undo",
                             "redo", "paste", "paper", "answer colour"})
        EXPECT_GT(changed.value(QString::fromUtf8(kind)), 0) << kind;
}
