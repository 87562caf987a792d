#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>

// Waits for the drop target's XdndFinished. Qt's drag returns as soon as the drop is sent, but the target
// fetches the files from the source after that, so the source must live until the target says it is done.
class XdndFinishWatcher : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

  public:
    XdndFinishWatcher();
    ~XdndFinishWatcher() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  signals:
    // accepted: the target took the drop.
    void Finished(bool accepted);

  private:
    std::uint32_t finishedAtom_ = 0;
};
