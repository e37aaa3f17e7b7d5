#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

namespace verbaria {

class EditorContext;

// Unsaved work is kept aside: while the document has edits a save has not written, a copy of the
// language file is written into the user's data folder, at most once a minute, with a record of
// the template and the file it belongs to. A run that ends well, or a save or discard, leaves
// nothing there; the next start after a crash or a power cut offers the copy back.
//
// Each run keeps its work under its own number beside a lock file it holds while it runs, so two
// editors never take each other's work, and a copy whose lock no process holds is one to offer.
class UnsavedWorkKeeper final : public QObject
{
    Q_OBJECT

public:
    explicit UnsavedWorkKeeper(EditorContext &context);
    ~UnsavedWorkKeeper() override;

    // The folder of the copies: the user's data folder unless a test gives one.
    void SetFolder(const QString &folder);
    QString Folder() const { return folder_; }
    // The longest time an edit waits before it is kept (one minute).
    void SetInterval(int milliseconds) { timer_.setInterval(milliseconds); }

    // Writes the copy now (the timer's work).
    void KeepNow();
    // Offers back the work a run that ended badly left; true when some was put back.
    bool OfferBack();
    // The run ends well: nothing of it stays aside.
    void End();

signals:
    // Kept work became the document: the filter looks at the rows again.
    void Restored();

private:
    void AfterStep();
    void Discard();
    QString OwnPath(const char *extension) const;

    EditorContext &context_;
    QString folder_;
    QString ownName_;
    std::unique_ptr<QLockFile> lock_;
    QTimer timer_;
    bool kept_ = false;
    bool offered_ = false;
    bool ended_ = false;
};

} // namespace verbaria
