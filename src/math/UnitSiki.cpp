#include "math/UnitHissanOptions.h"
#include "math/UnitKeisan.h"
#include "math/UnitSiki.h"
#include "math/UnitSikiSetRun.h"
#include "document/UnitRowCommands.h"

#include "platform/UnitMessages.h"
#include "platform/UnitNumText.h"
#include "platform/UnitProduct.h"

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <chrono>

namespace
{
// Client area of the tool, and its width on the pages with wider inputs.
constexpr int FormWidth = 600;
constexpr int FormWidthWide = 690;
constexpr int FormHeight = 400;

const QColor InputColor(224, 236, 248);

// Measures with the toolkit's own font metrics when the main window has not
// handed the tool its measurer (a tool used on its own, as in a test
// harness). The main window always sets the renderer's measurer, whose
// figures are the ones worksheets are laid out with.
class FallbackMeasurer : public SikiMeasurer
{
public:
    int textWidth(const QString &text, const QString &fontName, int fontSize) override
    {
        return metrics(fontName, fontSize).horizontalAdvance(text);
    }
    int textHeight(const QString &, const QString &fontName, int fontSize) override
    {
        return metrics(fontName, fontSize).height();
    }
    // The column layouts of multiplication and division: one cell per digit.
    int rowWidth(const RAData &row) override
    {
        const int cell = textWidth(QStringLiteral("×"), row.FontName, row.FontSize);
        const QStringList siki = row.HissanSiki.split(QRegularExpression(QStringLiteral("[*/]")));
        int widest = 0;
        for (const QString &part : siki)
            widest = qMax(widest, int(part.size()) + 1);
        const QStringList kotae = row.HissanKotae.split(u'_');
        for (const QString &part : kotae)
            widest = qMax(widest, int(part.size()));
        return widest * cell;
    }
    int rowHeight(const RAData &row) override
    {
        const int h = textHeight(QStringLiteral("×"), row.FontName, row.FontSize);
        return h * int(row.HissanKotae.split(u'_').size() + 2) +
               HissanMemoHeightOf(row.RandZ2, qMax(1, h));
    }

private:
    static QFontMetrics metrics(const QString &fontName, int fontSize)
    {
        QFont font(fontName);
        font.setPixelSize(qMax(1, fontSize));
        return QFontMetrics(font);
    }
};

// The answer of an expression, or nothing with the evaluator's message.
bool tryKeisan(const QString &expression, QString &answer, QString &message)
{
    try {
        answer = Keisan(expression);
        return true;
    } catch (const KeisanError &e) {
        message = e.message();
    } catch (const std::exception &) {
        message = KeisanCannotEvaluateText;
    }
    return false;
}
} // namespace

TFormSiki::TFormSiki(Document &document, QWidget *parent)
    : QWidget(parent), mDoc(document),
      mRandom(uint64_t(std::chrono::system_clock::now().time_since_epoch().count()))
{
    // A window of its own with a task-bar button, also when it has a parent.
    setWindowFlag(Qt::Window, true);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    PageControl = new QTabWidget(this);
    auto *yoko = new QWidget(PageControl);
    auto *tate = new QWidget(PageControl);
    auto *bunsu = new QWidget(PageControl);
    auto *bunsyo = new QWidget(PageControl);
    buildYoko(yoko);
    buildTate(tate);
    buildBunsu(bunsu);
    buildBunsyo(bunsyo);
    // Every page and the random panel scroll rather than force the window
    // past its client size.
    auto scrolled = [](QWidget *content, QWidget *parent) {
        auto *area = new QScrollArea(parent);
        area->setWidgetResizable(true);
        area->setFrameShape(QFrame::NoFrame);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->setWidget(content);
        return area;
    };
    PageControl->addTab(scrolled(yoko, PageControl), QStringLiteral("横式"));
    PageControl->addTab(scrolled(tate, PageControl), QStringLiteral("筆算"));
    PageControl->addTab(scrolled(bunsu, PageControl), QStringLiteral("分数"));
    PageControl->addTab(scrolled(bunsyo, PageControl), QStringLiteral("文章問題"));
    layout->addWidget(PageControl, 1);

    // The panel keeps its natural size; the area scrolls it vertically when
    // the fraction settings make it taller than the window.
    RandomPanel = new TSikiRandomPanel(this);
    RandomPanel->layout()->setSizeConstraint(QLayout::SetFixedSize);
    auto *randomArea = new QScrollArea(this);
    randomArea->setFrameShape(QFrame::NoFrame);
    randomArea->setWidgetResizable(false);
    randomArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    randomArea->setWidget(RandomPanel);
    RandomPanel->SetBunsuVisible(true);
    const int panelWidth = RandomPanel->sizeHint().width();
    randomArea->setFixedWidth(panelWidth + randomArea->verticalScrollBar()->sizeHint().width() + 2);
    RandomPanel->SetBunsuVisible(false);
    layout->addWidget(randomArea);

    connect(PageControl, &QTabWidget::currentChanged, this, [this] { SetNyu(); });
    connect(RandomPanel->ButtonMake, &QPushButton::clicked, this, [this] { MakeRandomCommand(); });
    for (QPushButton *button : {ButtonSetY, ButtonSetT, ButtonSetB, ButtonSetS}) {
        button->setToolTip(QStringLiteral("この設定の問題を、ページにまとめて並べます"));
        connect(button, &QPushButton::clicked, this, [this] { OpenSetDialog(); });
    }
    // A list is announced by the item it shows; its hint says what it sets.
    for (QComboBox *box : findChildren<QComboBox *>()) {
        if (box->toolTip().isEmpty())
            box->setToolTip(box->accessibleName());
    }
    SyokiForm();
}

TFormSiki::~TFormSiki() = default;

int64_t TFormSiki::Random(int64_t n)
{
    if (n < 1)
        return 0;
    return std::uniform_int_distribution<int64_t>(0, n - 1)(mRandom);
}

SikiMainSettings TFormSiki::settings() const
{
    return mSettings ? mSettings->sikiSettings() : SikiMainSettings{};
}

SikiMeasurer &TFormSiki::measurer()
{
    if (mMeasurer)
        return *mMeasurer;
    if (!mFallbackMeasurer)
        mFallbackMeasurer = std::make_unique<FallbackMeasurer>();
    return *mFallbackMeasurer;
}

// ---------------------------------------------------------------------------
// Building the pages

void TFormSiki::buildYoko(QWidget *page)
{
    auto *grid = new QGridLayout(page);
    MemoY1 = new QLineEdit(page);
    // Expressions are typed with ASCII operators only.
    MemoY1->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[\\x20-\\x7E]*")), MemoY1));
    MemoY1->setInputMethodHints(Qt::ImhLatinOnly);
    MemoY1->setAccessibleName(QStringLiteral("式"));
    MemoY2 = new QLineEdit(page);
    MemoY2->setAccessibleName(QStringLiteral("答え"));
    ButtonKetteiY = new QPushButton(QStringLiteral("決定"), page);
    grid->addWidget(MemoY1, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("＝"), page), 0, 1);
    grid->addWidget(MemoY2, 0, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    ButtonSetY = new QPushButton(QStringLiteral("まとめて配置…"), page);
    grid->addWidget(ButtonSetY, 2, 0, Qt::AlignRight);
    grid->addWidget(ButtonKetteiY, 2, 2);
    MemoY1->installEventFilter(this);
    // A paste with the mouse changes the text without a key: preview it too.
    connect(MemoY1, &QLineEdit::textEdited, this, [this] { MakeSikiKotaeYoko(); });
    connect(ButtonKetteiY, &QPushButton::clicked, this, [this] { Kettei(); });
}

void TFormSiki::buildTate(QWidget *page)
{
    auto *outer = new QVBoxLayout(page);
    MemoT1 = new QLineEdit(page);
    MemoT1->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[\\x20-\\x7E]*")), MemoT1));
    MemoT1->setInputMethodHints(Qt::ImhLatinOnly);
    MemoT1->setAccessibleName(QStringLiteral("式"));
    MemoT2 = new QLineEdit(page);
    MemoT2->setAccessibleName(QStringLiteral("答え"));
    MemoT2->setVisible(false);
    outer->addWidget(MemoT1);
    outer->addWidget(MemoT2);

    auto *middle = new QHBoxLayout;
    auto *rowsScroll = new QScrollArea(page);
    rowsScroll->setWidgetResizable(true);
    rowsScroll->setMinimumWidth(90);
    TateRowBox = new QWidget(rowsScroll);
    mTateRowLayout = new QVBoxLayout(TateRowBox);
    mTateRowLayout->setSpacing(1);
    mTateRowLayout->addStretch(1);
    rowsScroll->setWidget(TateRowBox);
    middle->addWidget(rowsScroll, 1);
    auto *gridScroll = new QScrollArea(page);
    TateGrid = new SikiCellGrid(gridScroll);
    gridScroll->setWidget(TateGrid);
    middle->addWidget(gridScroll, 1);
    outer->addLayout(middle, 1);

    auto *steps = new QHBoxLayout;
    ButtonIchi = new QPushButton(QStringLiteral("一の位まで"), page);
    ButtonSusumu = new QPushButton(QStringLiteral("わり進める"), page);
    ButtonModosu = new QPushButton(QStringLiteral("元に戻す"), page);
    ButtonKetteiT = new QPushButton(QStringLiteral("決定"), page);
    steps->addWidget(ButtonIchi);
    steps->addWidget(ButtonSusumu);
    steps->addWidget(ButtonModosu);
    steps->addStretch(1);
    outer->addLayout(steps);
    auto *options = new QHBoxLayout;
    CheckMasu = new QCheckBox(QStringLiteral("マス目を表示"), page);
    CheckMemo = new QCheckBox(QStringLiteral("くり上がりのメモ"), page);
    for (QCheckBox *box : {CheckMasu, CheckMemo}) {
        box->setAccessibleName(box->text());
        box->setToolTip(box->text());
        options->addWidget(box);
    }
    options->addStretch(1);
    outer->addLayout(options);
    auto *confirm = new QHBoxLayout;
    LabelTate = new QLabel(page);
    LabelTate->setWordWrap(true);
    LabelTate->setStyleSheet(QStringLiteral("color: #c00000"));
    confirm->addWidget(LabelTate, 1);
    ButtonSetT = new QPushButton(QStringLiteral("まとめて配置…"), page);
    confirm->addWidget(ButtonSetT);
    confirm->addWidget(ButtonKetteiT);
    outer->addLayout(confirm);

    MemoT1->installEventFilter(this);
    connect(MemoT1, &QLineEdit::textEdited, this, [this] { MakeSikiKotaeTate(); });
    connect(ButtonIchi, &QPushButton::clicked, this, [this] { WarizanIchi(); });
    connect(ButtonSusumu, &QPushButton::clicked, this, [this] { WarizanSusumu(); });
    connect(ButtonModosu, &QPushButton::clicked, this, [this] { WarizanModosu(); });
    connect(ButtonKetteiT, &QPushButton::clicked, this, [this] { Kettei(); });
}

void TFormSiki::buildBunsu(QWidget *page)
{
    auto *grid = new QGridLayout(page);
    auto box = [page, this](const QString &name) {
        auto *edit = new QLineEdit(page);
        edit->setAccessibleName(name);
        // At most four characters typed; a longer part of a stored or
        // generated problem is kept whole rather than cut.
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral(".{0,4}")), edit));
        edit->setFixedWidth(48);
        edit->setAlignment(Qt::AlignCenter);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this] { KeisanBunsu(); });
        return edit;
    };
    // Each operand: the whole part on the left, numerator over denominator.
    EditBunsu1T = box(QStringLiteral("①の整数部分"));
    EditBunsu1S = box(QStringLiteral("①の分子"));
    EditBunsu1B = box(QStringLiteral("①の分母"));
    EditBunsu2T = box(QStringLiteral("②の整数部分"));
    EditBunsu2S = box(QStringLiteral("②の分子"));
    EditBunsu2B = box(QStringLiteral("②の分母"));
    ComboBunsu = new QComboBox(page);
    ComboBunsu->setAccessibleName(QStringLiteral("演算"));
    ComboBunsu->addItems(siki_lists::BunsuSign());
    auto answer = [page](const QString &name) {
        auto *edit = new QLineEdit(page);
        edit->setAccessibleName(name);
        edit->setReadOnly(true);
        edit->setFixedWidth(56);
        edit->setAlignment(Qt::AlignCenter);
        return edit;
    };
    EditBunsuKT = answer(QStringLiteral("答えの整数部分"));
    EditBunsuKS = answer(QStringLiteral("答えの分子"));
    EditBunsuKB = answer(QStringLiteral("答えの分母"));
    grid->addWidget(EditBunsu1T, 0, 0, 2, 1, Qt::AlignVCenter);
    grid->addWidget(EditBunsu1S, 0, 1);
    grid->addWidget(EditBunsu1B, 1, 1);
    grid->addWidget(ComboBunsu, 0, 2, 2, 1, Qt::AlignVCenter);
    grid->addWidget(EditBunsu2T, 0, 3, 2, 1, Qt::AlignVCenter);
    grid->addWidget(EditBunsu2S, 0, 4);
    grid->addWidget(EditBunsu2B, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("＝"), page), 0, 5, 2, 1, Qt::AlignVCenter);
    grid->addWidget(EditBunsuKT, 0, 6, 2, 1, Qt::AlignVCenter);
    grid->addWidget(EditBunsuKS, 0, 7);
    grid->addWidget(EditBunsuKB, 1, 7);
    CheckKabunsu = new QCheckBox(QStringLiteral("答えが帯分数の場合、仮分数で表示する"), page);
    grid->addWidget(CheckKabunsu, 2, 0, 1, 8);
    MemoBunsuSiki = new QLineEdit(page);
    MemoBunsuSiki->setAccessibleName(QStringLiteral("分数の式"));
    MemoBunsuSiki->setVisible(false);
    grid->addWidget(MemoBunsuSiki, 3, 0, 1, 8);
    grid->setRowStretch(4, 1);
    ButtonKetteiB = new QPushButton(QStringLiteral("決定"), page);
    grid->addWidget(ButtonKetteiB, 5, 6, 1, 2);
    ButtonSetB = new QPushButton(QStringLiteral("まとめて配置…"), page);
    grid->addWidget(ButtonSetB, 5, 3, 1, 3, Qt::AlignRight);

    connect(ComboBunsu, &QComboBox::currentIndexChanged, this, [this] { KeisanBunsu(); });
    connect(CheckKabunsu, &QCheckBox::toggled, this, [this] { KeisanBunsu(); });
    connect(ButtonKetteiB, &QPushButton::clicked, this, [this] { Kettei(); });
}

QList<QLineEdit *> TFormSiki::inputBoxes() const
{
    return {MemoY1,      MemoY2,      MemoT1,      MemoT2,       EditBunsu1T,
            EditBunsu1S, EditBunsu1B, EditBunsu2T, EditBunsu2S,  EditBunsu2B,
            EditBunsuKT, EditBunsuKS, EditBunsuKB, MemoBunsuSiki};
}

bool TFormSiki::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease) {
        if (watched == MemoY1)
            MakeSikiKotaeYoko();
        else if (watched == MemoT1)
            MakeSikiKotaeTate();
        else if (watched == EditBunsu1T || watched == EditBunsu1S || watched == EditBunsu1B ||
                 watched == EditBunsu2T || watched == EditBunsu2S || watched == EditBunsu2B)
            KeisanBunsu();
        else if (watched == EditBunsyoR1 || watched == EditBunsyoR2)
            MakeSikiKotaeBunsyo();
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Life cycle

void TFormSiki::SyokiForm()
{
    setWindowTitle(QStringLiteral("数式入力 - ") + Product::DisplayName);
    const QSignalBlocker block(ComboBunsu);
    ComboBunsu->setCurrentIndex(0);
    RandomPanel->SyokiForm();
}

void TFormSiki::StartForm()
{
    resize(FormWidth, FormHeight);
    for (QLineEdit *edit : inputBoxes()) {
        const QSignalBlocker block(edit);
        edit->clear();
        // Setting a palette is costly and regeneration opens the tool once
        // per problem: only a box that lost its colour gets it again.
        if (edit->palette().color(QPalette::Base) != InputColor) {
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, InputColor);
            edit->setPalette(palette);
        }
    }
    for (QCheckBox *box : {CheckKabunsu, CheckMasu, CheckMemo}) {
        const QSignalBlocker block(box);
        box->setChecked(false);
    }
    {
        const QSignalBlocker block(ComboBunsu);
        ComboBunsu->setCurrentIndex(0);
    }
    mDisplayText.clear();
    mAnswerText.clear();
    mBunsuKotae.clear();
    mBunsuError.clear();
    clearTate();
    resetBunsyo();
    LabelTate->clear();
    MoveForm();
}

void TFormSiki::MoveForm()
{
    // The page layouts carry the proportions (on page 0 the input takes two
    // thirds and the answer one third, with the "＝" between them); a change
    // of client size only needs them recomputed.
    if (layout())
        layout()->activate();
}

int TFormSiki::CurrentPage() const
{
    return PageControl->currentIndex();
}

void TFormSiki::SelectPage(int page)
{
    if (page < 0 || page >= PageControl->count())
        return;
    {
        const QSignalBlocker block(PageControl);
        PageControl->setCurrentIndex(page);
    }
    SetNyu();
}

void TFormSiki::SetNyu()
{
    const int page = CurrentPage();
    if (page == PageYoko)
        MakeSikiKotaeYoko();
    else if (page == PageTate)
        MakeSikiKotaeTate();
    resize(page >= PageBunsu ? FormWidthWide : FormWidth, height());
    RandomPanel->SetBunsuVisible(page == PageBunsu);
    MoveForm();
}

void TFormSiki::PrepareNew(int page, int x1, int y1)
{
    StartForm();
    mDoc.NewData.ID = -1;
    mDoc.NewData.Syu = QStringLiteral("5");
    mDoc.NewData.Page = page;
    mDoc.NewData.X1 = x1;
    mDoc.NewData.Y1 = y1;
    SetNyu();
}

void TFormSiki::OpenNew(int page, int x1, int y1)
{
    PrepareNew(page, x1, y1);
    show();
    raise();
    activateWindow();
    focusFirstBox();
}

void TFormSiki::focusFirstBox()
{
    // The teacher types the problem at once, without a click in the tool.
    switch (CurrentPage()) {
    case PageYoko: MemoY1->setFocus(); break;
    case PageTate: MemoT1->setFocus(); break;
    case PageBunsu: EditBunsu1S->setFocus(); break;
    case PageBunsyo: MemoBunsyoText->setFocus(); break;
    default: break;
    }
}

bool TFormSiki::LoadRow(int rowIndex)
{
    return loadRow(rowIndex, true);
}

bool TFormSiki::LoadRowForRandom(int rowIndex)
{
    return loadRow(rowIndex, false);
}

bool TFormSiki::loadRow(int rowIndex, bool preview)
{
    if (rowIndex < 0 || rowIndex >= mDoc.AData.size())
        return false;
    const RAData row = mDoc.AData.at(rowIndex);
    if (row.Syu != QStringLiteral("5") || row.Siki1 < PageYoko || row.Siki1 > PageBunsyo)
        return false;

    StartForm();
    mDoc.NewData.ID = row.ID;
    mDoc.NewData.Syu = row.Syu;
    mDoc.NewData.Page = row.Page;
    mDoc.NewData.X1 = row.X1;
    mDoc.NewData.Y1 = row.Y1;
    RandomPanel->Load(row);

    switch (row.Siki1) {
    case PageYoko:
        MemoY1->setText(row.Siki);
        MemoY2->setText(row.Kotae);
        SelectPage(PageYoko);
        break;
    case PageTate: {
        const HissanOptions options = HissanOptions::fromText(row.RandZ2);
        CheckMasu->setChecked(options.masu());
        CheckMemo->setChecked(options.memo());
        MemoT1->setText(row.Siki);
        if (preview) {
            SelectPage(PageTate);
            restoreTateRows(row);
        } else {
            const QSignalBlocker blockPages(PageControl);
            PageControl->setCurrentIndex(PageTate);
        }
        break;
    }
    case PageBunsu: {
        const QSignalBlocker block(CheckKabunsu);
        CheckKabunsu->setChecked(row.BunsuKabunsu == 1);
        MemoBunsuSiki->setText(row.Siki);
        mBunsuKotae = row.Kotae;
        {
            const QSignalBlocker blockPages(PageControl);
            PageControl->setCurrentIndex(PageBunsu);
        }
        MakeSikiKotaeBunsu();
        break;
    }
    case PageBunsyo:
        loadBunsyo(row);
        SelectPage(PageBunsyo);
        break;
    }
    return true;
}

bool TFormSiki::OpenRow(int rowIndex)
{
    if (!LoadRow(rowIndex))
        return false;
    show();
    raise();
    activateWindow();
    focusFirstBox();
    return true;
}

// ---------------------------------------------------------------------------
// Page 0: horizontal expression

void TFormSiki::MakeSikiKotaeYoko()
{
    const QString input = MemoY1->text();
    mDisplayText = FullWidthOperators(input);
    // While the teacher is still typing, an unfinished expression ("3+")
    // cannot be evaluated yet: the answer box keeps what it showed.
    QString answer, message;
    if (tryKeisan(input, answer, message)) {
        mAnswerText = answer;
        MemoY2->setText(answer);
    }
}

// ---------------------------------------------------------------------------
// "決定"

TFormSiki::InputState TFormSiki::checkPage(int page, QString &kotae, QString &message)
{
    switch (page) {
    case PageYoko: return CheckYoko(kotae, message);
    case PageTate: return CheckTate(message);
    case PageBunsu: return CheckBunsu(message);
    case PageBunsyo: return CheckBunsyo(kotae, message);
    default: return InputEmpty;
    }
}

TSikiRandomPanel::Scope TFormSiki::scopeOf(int page)
{
    switch (page) {
    case PageTate: return TSikiRandomPanel::Scope::Tate;
    case PageBunsu: return TSikiRandomPanel::Scope::Bunsu;
    // Word problems draw with the settings of the horizontal page.
    default: return TSikiRandomPanel::Scope::Yoko;
    }
}

void TFormSiki::writePage(RAData &row, int page, const QString &kotae)
{
    RandomPanel->Store(row, scopeOf(page));
    switch (page) {
    case PageYoko:
        WriteYokoFields(row, kotae);
        break;
    case PageTate:
        storeTateOptions(row);
        WriteTateFields(row);
        break;
    case PageBunsu:
        row.BunsuKabunsu = CheckKabunsu->isChecked() ? 1 : 0;
        WriteBunsuFields(row);
        break;
    case PageBunsyo:
        WriteBunsyoFields(row, kotae, true);
        break;
    }
}

int TFormSiki::Kettei()
{
    const int page = CurrentPage();
    if (page < PageYoko || page > PageBunsyo)
        return -1;
    // The page's check first, with its message: nothing is written for an
    // input without an answer or a layout.
    QString kotae, message;
    const InputState state = checkPage(page, kotae, message);
    if (state == InputError) {
        // The column page says it in the tool's own window, which stays open
        // to be mended; the other pages in a message box.
        if (page == PageTate)
            LabelTate->setText(message);
        else
            ShowError(message);
    }
    if (state != InputOk)
        return -1;

    // The row as it will stand: the problem being edited, or a new one.
    const int editing = mDoc.NewData.ID >= 0 ? mDoc.FindRow(mDoc.NewData.ID) : -1;
    RAData row = editing >= 0 ? mDoc.AData[editing] : RAData{};
    beginRow(row, page);
    writePage(row, page, kotae);

    // One undoable command holding only the rows: a new problem ("作成") or
    // the rewrite of the one open ("書き換え").
    int index = editing;
    if (editing >= 0) {
        mDoc.push(std::make_unique<ChangeObjectCommand>(mDoc, QStringLiteral("書き換え"), editing,
                                                        row));
    } else {
        RNewObjects added;
        added.rows = {row};
        mDoc.push(std::make_unique<AddObjectsCommand>(mDoc, QStringLiteral("作成"), added));
        index = mDoc.AData.size() - 1;
    }
    finishRow(index);
    return index;
}

void TFormSiki::beginRow(RAData &row, int page) const
{
    const SikiMainSettings s = settings();
    row.Syu = QStringLiteral("5");
    row.Page = mDoc.NewData.Page;
    row.X1 = mDoc.NewData.X1;
    row.Y1 = mDoc.NewData.Y1;
    row.FontName = s.fontName;
    row.FontSize = s.fontSize;
    row.Siki1 = page;
    row.Layer = 1;
    // The word-problem page leaves the answer mode as it was.
    if (page != PageBunsyo)
        row.KotaeMode = s.kotaeDisplay ? 1 : 0;
}

void TFormSiki::finishRow(int rowIndex)
{
    mDoc.NewData.Syu.clear();
    mDoc.NewData.Page = 0;
    mDoc.NewData.X1 = 0;
    mDoc.NewData.Y1 = 0;
    mDisplayText.clear();
    hide();
    emit redrawRequested(rowIndex);
}

// Page 0's expression fields. The caller has checked that the input can be
// evaluated.
void TFormSiki::WriteYokoFields(RAData &row, const QString &kotae)
{
    const QString input = MemoY1->text();
    // The answer box may have been overwritten by the teacher: its text only
    // enters the width, the row takes the fresh answer.
    mDisplayText = FullWidthOperators(input);
    row.Siki = input;
    row.Kotae = kotae;
    row.HissanSiki.clear();
    row.Siki1 = PageYoko;
    row.Siki2 = 0;
    SikiMeasurer &m = measurer();
    row.Width = m.textWidth(mDisplayText + QStringLiteral("＝") + MemoY2->text(), row.FontName,
                            row.FontSize);
    row.Height = m.textHeight(input, row.FontName, row.FontSize);
}

TFormSiki::InputState TFormSiki::CheckYoko(QString &kotae, QString &message) const
{
    const QString input = MemoY1->text();
    if (input.isEmpty())
        return InputEmpty;
    return tryKeisan(input, kotae, message) ? InputOk : InputError;
}
