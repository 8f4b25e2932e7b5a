// Collects the engine's debug lines while an object of this class lives.
#pragma once

#include <QLoggingCategory>
#include <QStringList>

class EngineLogCapture final
{
public:
    EngineLogCapture()
    {
        s_lines = &m_lines;
        m_previous = qInstallMessageHandler(collect);
    }
    ~EngineLogCapture()
    {
        qInstallMessageHandler(m_previous);
        s_lines = nullptr;
    }

    const QStringList &lines() const { return m_lines; }

private:
    Q_DISABLE_COPY(EngineLogCapture)

    static void collect(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtDebugMsg && s_lines && qstrcmp(context.category, "quorbel.engine") == 0)
            s_lines->append(message);
    }

    static inline QStringList *s_lines = nullptr;
    QStringList m_lines;
    QtMessageHandler m_previous = nullptr;
};
