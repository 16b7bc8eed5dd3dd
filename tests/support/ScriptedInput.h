#pragma once

#include "kernel/KvDocument.h"
#include "kernel/KvInputText.h"
#include "kernel/KvUserIO.h"

#include <QStringList>
#include <QVector>
#include <array>

// Answers a document's prompts from a script and records everything the host showed: every
// request (prompt text, keywords, flags, base point, the caller's arguments), printed lines,
// messages, keyword set-ups and the matrices of drags. Installed on a document (or as the
// default source) for its lifetime.
//
// Script entries: any text is typed as it stands; "<Enter>" is Enter, "<Esc>" is Esc, and
// "<Move x,y>" moves the cursor to that point (as typed) before the next answer.
class ScriptedInput : public CKvInputSource
{
public:
    struct KeywordSetUp
    {
        int flags = 0;
        QStringList globalNames;
        QStringList localNames;
    };
    using Matrix = std::array<std::array<double, 4>, 4>;

    explicit ScriptedInput(CKvDocument* document = nullptr) : m_document(document)
    {
        if (m_document)
            m_document->SetInputSource(this);
        else
            CKvUserIO::SetDefaultInputSource(this);
    }
    ~ScriptedInput() override
    {
        if (m_document) {
            if (m_document->InputSource() == this)
                m_document->SetInputSource(nullptr);
        } else if (CKvUserIO::DefaultInputSource() == this) {
            CKvUserIO::SetDefaultInputSource(nullptr);
        }
    }
    ScriptedInput(const ScriptedInput&) = delete;
    ScriptedInput& operator=(const ScriptedInput&) = delete;

    ScriptedInput& add(const QString& entry)
    {
        m_script.append(entry);
        return *this;
    }
    ScriptedInput& add(const QStringList& entries)
    {
        m_script += entries;
        return *this;
    }
    int remaining() const { return m_script.size(); }
    // Asked this many times before the script ran out.
    int asked() const { return m_requests.size(); }

    KvPromptAnswer Ask(const KvPromptRequest& request) override
    {
        m_requests.append(request);
        m_requests.last().cursorMoved = nullptr; // it refers to the prompt in progress only
        while (!m_script.isEmpty()) {
            const QString entry = m_script.takeFirst();
            if (entry == QLatin1String("<Enter>"))
                return KvPromptAnswer::enter();
            if (entry == QLatin1String("<Esc>"))
                return KvPromptAnswer::cancel();
            if (entry.startsWith(QLatin1String("<Move ")) && entry.endsWith(QLatin1Char('>'))) {
                const QString text = entry.mid(6, entry.size() - 7);
                const double zero[3] = {0, 0, 0};
                const double* origin = request.document ? request.document->UcsOrigin() : zero;
                double point[3] = {0, 0, 0};
                if (request.cursorMoved && KvInputText::parsePoint(text, request.hasBase ? request.base : zero, origin, point))
                    request.cursorMoved(point);
                continue;
            }
            return KvPromptAnswer::typed(entry);
        }
        return KvPromptAnswer::noMore();
    }
    void Print(const CKvString& text) override { m_printed.append(text); }
    void MessageChanged(const CKvString& text) override { m_messages.append(text); }
    void KeywordsSet(int flags, const CKvKeywordArray& keywords) override
    {
        KeywordSetUp s;
        s.flags = flags;
        for (const CKvKeyword& k : keywords) {
            s.globalNames.append(k.globalName);
            s.localNames.append(k.localName);
        }
        m_setUps.append(s);
    }
    void DragShown(CKvDocument*, const QVector<OdDbObjectId>& ids, const double matrix[4][4]) override
    {
        Matrix m;
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                m[r][c] = matrix[r][c];
        m_drags.append(m);
        m_dragIds = ids;
    }
    void DragEnded(CKvDocument*) override { ++m_dragEnds; }

    const QVector<KvPromptRequest>& requests() const { return m_requests; }
    QStringList prompts() const
    {
        QStringList list;
        for (const KvPromptRequest& r : m_requests)
            list.append(r.prompt);
        return list;
    }
    const KvPromptRequest& lastRequest() const { return m_requests.last(); }
    const QStringList& printed() const { return m_printed; }
    const QStringList& messages() const { return m_messages; }
    const QVector<KeywordSetUp>& keywordSetUps() const { return m_setUps; }
    const QVector<Matrix>& dragMatrices() const { return m_drags; }
    const QVector<OdDbObjectId>& draggedIds() const { return m_dragIds; }
    int dragEnds() const { return m_dragEnds; }
    void clearRecords()
    {
        m_requests.clear();
        m_printed.clear();
        m_messages.clear();
        m_setUps.clear();
        m_drags.clear();
        m_dragIds.clear();
        m_dragEnds = 0;
    }

private:
    CKvDocument* m_document;
    QStringList m_script;
    QVector<KvPromptRequest> m_requests;
    QStringList m_printed;
    QStringList m_messages;
    QVector<KeywordSetUp> m_setUps;
    QVector<Matrix> m_drags;
    QVector<OdDbObjectId> m_dragIds;
    int m_dragEnds = 0;
};
