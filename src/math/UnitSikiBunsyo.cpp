// The word-problem page of the expression tool: the two numbers and their
// operator, the problem text with its markers "①" and "②", the labels,
// answers and unit of the formula and answer lines, the preview, loading a
// stored word problem and the word-problem writer.
#include "math/UnitKeisan.h"
#include "math/UnitSiki.h"

#include "platform/UnitMessages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>

namespace
{
// The operators of the word-problem formula, in the order of its sign list.
const QString Signs = QStringLiteral("+-*/");
// Lines of the problem text as stored (CR LF between lines).
QStringList textLines(const QString &text)
{
    return text.split(QStringLiteral("\r\n"));
}

// An editable list whose typed text is what counts.
QComboBox *editableList(QWidget *parent, const QStringList &items)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    // Wide enough for "（しき）" and a typed label of the same length.
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(5);
    return box;
}

void setListText(QComboBox *box, const QString &text)
{
    const QSignalBlocker block(box);
    box->setEditText(text);
}
} // namespace

QStringList BunsyoTaniList()
{
    return {QStringLiteral("こ"),   QStringLiteral("本"),   QStringLiteral("枚"),
            QStringLiteral("まい"), QStringLiteral("円"),   QStringLiteral("人"),
            QStringLiteral("ひき"), QStringLiteral("cm"),   QStringLiteral("m"),
            QStringLiteral("km"),   QStringLiteral("g"),    QStringLiteral("kg"),
            QStringLiteral("L"),    QStringLiteral("dL"),   QStringLiteral("mL"),
            QStringLiteral("分"),   QStringLiteral("時間"), QStringLiteral("さつ"),
            QStringLiteral("台"),   QStringLiteral("回")};
}

QString BunsyoTaniHint()
{
    return QStringLiteral("単位: 一覧から選ぶか、ほかの単位を入力できます");
}

void TFormSiki::buildBunsyo(QWidget *page)
{
    auto *grid = new QGridLayout(page);
    EditBunsyoR1 = new QLineEdit(page);
    EditBunsyoR1->setAccessibleName(QStringLiteral("①"));
    ComboBunsyoR = new QComboBox(page);
    ComboBunsyoR->addItems(siki_lists::BunsuSign());
    ComboBunsyoR->setAccessibleName(QStringLiteral("演算"));
    EditBunsyoR2 = new QLineEdit(page);
    EditBunsyoR2->setAccessibleName(QStringLiteral("②"));
    auto *numbers = new QHBoxLayout;
    numbers->addWidget(new QLabel(QStringLiteral("①"), page));
    numbers->addWidget(EditBunsyoR1);
    numbers->addWidget(ComboBunsyoR);
    numbers->addWidget(new QLabel(QStringLiteral("②"), page));
    numbers->addWidget(EditBunsyoR2);
    ButtonBunsyo1 = new QPushButton(QStringLiteral("①を挿入"), page);
    ButtonBunsyo2 = new QPushButton(QStringLiteral("②を挿入"), page);
    numbers->addWidget(ButtonBunsyo1);
    numbers->addWidget(ButtonBunsyo2);
    grid->addLayout(numbers, 0, 0, 1, 4);

    MemoBunsyoText = new QPlainTextEdit(page);
    MemoBunsyoText->setAccessibleName(QStringLiteral("問題文"));
    MemoBunsyoText->setTabChangesFocus(true);
    grid->addWidget(MemoBunsyoText, 1, 0, 1, 4);

    ComboBunsyoSiki = editableList(page, {QStringLiteral("（しき）"), QStringLiteral("（式）")});
    ComboBunsyoSiki->setAccessibleName(QStringLiteral("式の見出し"));
    EditBunsyo1 = new QLineEdit(page);
    EditBunsyo1->setAccessibleName(QStringLiteral("式"));
    EditBunsyo2 = new QLineEdit(page);
    EditBunsyo2->setAccessibleName(QStringLiteral("＝の後の答え"));
    grid->addWidget(ComboBunsyoSiki, 2, 0);
    grid->addWidget(EditBunsyo1, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("＝"), page), 2, 2);
    grid->addWidget(EditBunsyo2, 2, 3);

    ComboBunsyoKotae = editableList(page, {QStringLiteral("こたえ"), QStringLiteral("答え")});
    ComboBunsyoKotae->setAccessibleName(QStringLiteral("答えの見出し"));
    EditBunsyoKotae = new QLineEdit(page);
    EditBunsyoKotae->setAccessibleName(QStringLiteral("答え"));
    // The units a primary-school word problem asks for most; any other is
    // typed into the box.
    ComboBunsyoTani = editableList(page, BunsyoTaniList());
    ComboBunsyoTani->setAccessibleName(QStringLiteral("単位"));
    ComboBunsyoTani->setToolTip(BunsyoTaniHint());
    ComboBunsyoTani->setAccessibleDescription(BunsyoTaniHint());
    ComboBunsyoTani->lineEdit()->setPlaceholderText(QStringLiteral("単位を入力"));
    ComboBunsyoTani->lineEdit()->setToolTip(BunsyoTaniHint());
    grid->addWidget(ComboBunsyoKotae, 3, 0);
    grid->addWidget(EditBunsyoKotae, 3, 1);
    grid->addWidget(ComboBunsyoTani, 3, 3);

    CheckBunsyoTani = new QCheckBox(QStringLiteral("単位を問題に表示する"), page);
    ImageBunsyoTani = new QLabel(page);
    ImageBunsyoTani->setAccessibleName(QStringLiteral("答えの行"));
    grid->addWidget(CheckBunsyoTani, 4, 0, 1, 2);
    grid->addWidget(ImageBunsyoTani, 4, 2, 1, 2);
    ButtonKetteiS = new QPushButton(QStringLiteral("決定"), page);
    grid->addWidget(ButtonKetteiS, 5, 3);
    ButtonSetS = new QPushButton(QStringLiteral("まとめて配置…"), page);
    grid->addWidget(ButtonSetS, 5, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    for (QLineEdit *edit : {EditBunsyoR1, EditBunsyoR2}) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this] { MakeSikiKotaeBunsyo(); });
    }
    connect(ComboBunsyoR, &QComboBox::currentIndexChanged, this, [this] { MakeSikiKotaeBunsyo(); });
    connect(ButtonBunsyo1, &QPushButton::clicked, this, [this] { InsertBunsyoMarker(u'①'); });
    connect(ButtonBunsyo2, &QPushButton::clicked, this, [this] { InsertBunsyoMarker(u'②'); });
    connect(CheckBunsyoTani, &QCheckBox::toggled, this, [this] { showBunsyoTaniPicture(); });
    // The picture shows the unit and the answer label as they are now,
    // chosen from the list or typed.
    for (QComboBox *box : {ComboBunsyoTani, ComboBunsyoKotae})
        connect(box, &QComboBox::currentTextChanged, this, [this] { showBunsyoTaniPicture(); });
    connect(ButtonKetteiS, &QPushButton::clicked, this, [this] { Kettei(); });
}

// The page's own picture of the answer line: an empty box before the unit
// when the unit belongs to the problem, the answer and unit in brackets
// otherwise.
void TFormSiki::showBunsyoTaniPicture()
{
    const bool box = CheckBunsyoTani->isChecked();
    const QFont font = ImageBunsyoTani->font();
    const QFontMetrics fm(font);
    const int h = fm.height();
    const QString label = ComboBunsyoKotae->currentText();
    const QString unit = ComboBunsyoTani->currentText();
    const int wLabel = fm.horizontalAdvance(label);
    const int wBox = fm.horizontalAdvance(QStringLiteral("あああ"));
    const int wUnit = fm.horizontalAdvance(unit);
    const int wBracket = fm.horizontalAdvance(QStringLiteral("（"));
    const int width = wLabel + wBox + wUnit + 2 * wBracket + 8;
    QPixmap picture(width, h + 6);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setFont(font);
    p.setPen(Qt::black);
    int x = 2;
    const int base = 3 + fm.ascent();
    p.drawText(x, base, label);
    x += wLabel;
    if (box) {
        p.drawRect(x, 1, wBox, h + 3);
        x += wBox + 2;
        p.drawText(x, base, unit);
    } else {
        p.drawText(x, base, QStringLiteral("（"));
        x += wBracket + wBox - fm.horizontalAdvance(QStringLiteral("ああ"));
        p.drawText(x + fm.horizontalAdvance(QStringLiteral("あ")), base, unit);
        x += wBox;
        p.drawText(x, base, QStringLiteral("）"));
    }
    p.end();
    ImageBunsyoTani->setPixmap(picture);
    ImageBunsyoTani->setToolTip(box ? label + QStringLiteral(" □ ") + unit
                                    : label + QStringLiteral("（　") + unit + QStringLiteral("）"));
}

// A fresh page: the lists at their defaults, the unit ticked.
void TFormSiki::resetBunsyo()
{
    for (QLineEdit *edit :
         {EditBunsyoR1, EditBunsyoR2, EditBunsyo1, EditBunsyo2, EditBunsyoKotae}) {
        const QSignalBlocker block(edit);
        edit->clear();
        const QColor inputColor(224, 236, 248);
        if (edit->palette().color(QPalette::Base) != inputColor) {
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, inputColor);
            edit->setPalette(palette);
        }
    }
    {
        const QSignalBlocker block(MemoBunsyoText);
        MemoBunsyoText->clear();
    }
    {
        const QSignalBlocker block(ComboBunsyoR);
        ComboBunsyoR->setCurrentIndex(0);
    }
    for (QComboBox *box : {ComboBunsyoSiki, ComboBunsyoKotae, ComboBunsyoTani}) {
        const QSignalBlocker block(box);
        box->setCurrentIndex(0);
        box->setEditText(box->itemText(0));
    }
    {
        const QSignalBlocker block(CheckBunsyoTani);
        CheckBunsyoTani->setChecked(true);
    }
    showBunsyoTaniPicture();
}

void TFormSiki::loadBunsyo(const RAData &row)
{
    EditBunsyoR1->setText(row.BunsyoR1);
    {
        const QSignalBlocker block(ComboBunsyoR);
        ComboBunsyoR->setCurrentIndex(row.BunsyoR < ComboBunsyoR->count() ? row.BunsyoR : 0);
    }
    EditBunsyoR2->setText(row.BunsyoR2);
    {
        const QSignalBlocker block(MemoBunsyoText);
        // The box holds plain line feeds; the row keeps CR LF.
        MemoBunsyoText->setPlainText(
            QString(row.BunsyoText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    setListText(ComboBunsyoSiki, row.BunsyoSiki);
    EditBunsyo1->setText(row.Bunsyo1);
    EditBunsyo2->setText(row.Bunsyo2);
    setListText(ComboBunsyoKotae, row.BunsyoKotaeCombo);
    EditBunsyoKotae->setText(row.BunsyoKotae);
    setListText(ComboBunsyoTani, row.BunsyoKotaeTani);
    {
        const QSignalBlocker block(CheckBunsyoTani);
        CheckBunsyoTani->setChecked(row.BunsyoTani == 1);
    }
    showBunsyoTaniPicture();
    mDisplayText = FullWidthOperators(row.Bunsyo1);
}

void TFormSiki::InsertBunsyoMarker(QChar marker)
{
    MemoBunsyoText->insertPlainText(QString(marker));
    MemoBunsyoText->setFocus();
}

void TFormSiki::MakeSikiKotaeBunsyo()
{
    const int sign = qBound(0, ComboBunsyoR->currentIndex(), 3);
    const QString siki = EditBunsyoR1->text() + Signs.at(sign) + EditBunsyoR2->text();
    EditBunsyo1->setText(siki);
    mDisplayText = FullWidthOperators(siki);
    // Half-typed numbers ("3+") have no answer yet: the boxes keep theirs.
    try {
        const QString answer = Keisan(siki);
        mAnswerText = answer;
        EditBunsyo2->setText(answer);
        EditBunsyoKotae->setText(answer);
    } catch (const std::exception &) {
    }
}

TFormSiki::InputState TFormSiki::CheckBunsyo(QString &kotae, QString &message) const
{
    const QString siki = EditBunsyo1->text();
    if (MemoBunsyoText->toPlainText().isEmpty() || siki.isEmpty())
        return InputEmpty;
    try {
        kotae = Keisan(siki);
        return InputOk;
    } catch (const KeisanError &e) {
        message = e.message();
    } catch (const std::exception &) {
        message = KeisanCannotEvaluateText;
    }
    return InputError;
}

void TFormSiki::WriteBunsyoFields(RAData &row, const QString &kotae, bool measure)
{
    const QString siki = EditBunsyo1->text();
    row.Siki = siki;
    row.Kotae = kotae;
    row.HissanSiki.clear();
    row.Siki1 = PageBunsyo;
    row.Siki2 = 0;
    row.BunsyoR1 = EditBunsyoR1->text();
    row.BunsyoR = Byte(qMax(0, ComboBunsyoR->currentIndex()));
    row.BunsyoR2 = EditBunsyoR2->text();
    row.BunsyoText = MemoBunsyoText->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
    row.BunsyoSiki = ComboBunsyoSiki->currentText();
    row.Bunsyo1 = siki;
    row.Bunsyo2 = EditBunsyo2->text();
    row.BunsyoKotaeCombo = ComboBunsyoKotae->currentText();
    row.BunsyoKotae = EditBunsyoKotae->text();
    row.BunsyoKotaeTani = ComboBunsyoTani->currentText();
    row.BunsyoTani = CheckBunsyoTani->isChecked() ? 1 : 0;
    if (!measure)
        return;

    SikiMeasurer &m = measurer();
    const QStringList lines = textLines(row.BunsyoText);
    int width = 0;
    for (QString line : lines) {
        line.replace(u'①', row.BunsyoR1);
        line.replace(u'②', row.BunsyoR2);
        width = qMax(width, m.textWidth(line, row.FontName, row.FontSize));
    }
    // The answer line's measuring text; "a" and "あ" stand for the gaps and
    // the box.
    QString answerLine = row.BunsyoSiki + siki + u'a' + u'＝' + row.Bunsyo2 + row.BunsyoKotaeCombo;
    if (row.BunsyoTani == 1)
        answerLine += u'あ' + row.BunsyoKotae + u'あ' + row.BunsyoKotaeTani;
    else
        answerLine +=
            QStringLiteral("（あ") + row.BunsyoKotae + row.BunsyoKotaeTani + QStringLiteral("あ）");
    width = qMax(width, m.textWidth(answerLine, row.FontName, row.FontSize));
    row.Width = width;
    row.Height =
        m.textHeight(QStringLiteral("あ"), row.FontName, row.FontSize) * (int(lines.size()) + 7);
}

