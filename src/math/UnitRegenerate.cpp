#include "math/UnitRegenerate.h"

#include "math/UnitSiki.h"

int RegenerateAll(Document &doc, TFormSiki &tool, const RegenerateProgress &progress)
{
    tool.ClearRandomLog();
    if (doc.AData.isEmpty())
        return 0;
    const int maximum = int(doc.AData.size()) - 1;
    if (progress)
        progress(0, maximum);

    // The pending object belongs to a creation the teacher may have under
    // way; the run borrows its ID only.
    const RAData pending = doc.NewData;
    int written = 0;
    for (int i = 0; i < doc.AData.size(); ++i) {
        const RAData &row = doc.AData.at(i);
        if (row.Syu == QStringLiteral("5") && row.Rand == 1 && tool.LoadRowForRandom(i)) {
            tool.MakeRandom();
            // A search that found nothing leaves the fraction page with its
            // last attempt, which need not meet the settings: the row keeps
            // the problem it had.
            if (!tool.RandomWarning() && tool.SetRandomKaitou(tool.CurrentPage()))
                ++written;
        }
        if (progress)
            progress(std::min(i + 1, maximum), maximum);
    }
    doc.NewData = pending;
    return written;
}

RegenerateCommand::RegenerateCommand(Document &doc, TFormSiki &tool, RegenerateProgress progress)
    : RecordedCommand(doc, QStringLiteral("作成")), mTool(tool), mProgress(std::move(progress))
{
}

void RegenerateCommand::edit()
{
    mWritten = RegenerateAll(mDoc, mTool, mProgress);
}
