#include "kernel/KvUserIO.h"

#include "kernel/KvDocument.h"
#include "kernel/KvInputText.h"
#include "kernel/KvPick.h"
#include "kernel/KvResbuf.h"
#include "kernel/KvSelectionFilter.h"
#include "kernel/KvSelectionSet.h"

#include <QCoreApplication>
#include <cmath>

namespace {
CKvInputSource* g_defaultSource = nullptr;

// A source that keeps giving unusable answers (a script out of step with its prompts) gives
// up here, as if Esc had been pressed, instead of being asked for ever.
constexpr int kMaxUnusableAnswers = 100;

QString tr(const char* text)
{
    return QCoreApplication::translate("CKvUserIO", text);
}

// Selection options the selection prompt understands besides points and handles.
enum class SelectOption { None, All, Last, Previous, Window, Crossing, Remove, Add };

SelectOption selectOption(const QString& text)
{
    const QString t = text.trimmed().toUpper();
    if (t == QLatin1String("ALL"))
        return SelectOption::All;
    if (t == QLatin1String("L") || t == QLatin1String("LAST"))
        return SelectOption::Last;
    if (t == QLatin1String("P") || t == QLatin1String("PREVIOUS"))
        return SelectOption::Previous;
    if (t == QLatin1String("W") || t == QLatin1String("WINDOW"))
        return SelectOption::Window;
    if (t == QLatin1String("C") || t == QLatin1String("CROSSING"))
        return SelectOption::Crossing;
    if (t == QLatin1String("R") || t == QLatin1String("REMOVE"))
        return SelectOption::Remove;
    if (t == QLatin1String("A") || t == QLatin1String("ADD"))
        return SelectOption::Add;
    return SelectOption::None;
}

void copyPoint(const double in[3], double out[3])
{
    for (int i = 0; i < 3; ++i)
        out[i] = in[i];
}
} // namespace

// --- Input source: every notification does nothing unless a source wants it.

CKvInputSource::~CKvInputSource() = default;
void CKvInputSource::Print(const CKvString&) {}
void CKvInputSource::MessageChanged(const CKvString&) {}
void CKvInputSource::KeywordsSet(int, const CKvKeywordArray&) {}
void CKvInputSource::DragShown(CKvDocument*, const QVector<OdDbObjectId>&, const double[4][4]) {}
void CKvInputSource::DragEnded(CKvDocument*) {}

// How one answer was taken: done with a status, or unusable (the note says why) and asked again.
struct CKvUserIO::Outcome
{
    bool done = true;
    int status = kvrt::Normal;
    CKvString note;
    static Outcome finish(int status) { return {true, status, CKvString()}; }
    static Outcome again(const QString& note) { return {false, 0, note}; }
};

// What is left of an answer once it is no value: a keyword (matched as the host matches
// keywords), any text where the flags take it, or the prompt asks again with `requirement`.
CKvUserIO::Outcome CKvUserIO::keywordOr(const QString& text, const KvPromptRequest& request, const QString& requirement)
{
    int index = -1;
    const auto match = KvInputText::matchKeyword(text, request.keywords, &index);
    if (match == KvInputText::KeywordMatch::Unique) {
        m_keywordText = request.keywords.at(index).globalName;
        return Outcome::finish(kvrt::Keyword);
    }
    if (match == KvInputText::KeywordMatch::Ambiguous)
        return Outcome::again(tr("Ambiguous response, please clarify..."));
    if (request.flags & ArbitraryInput) {
        m_keywordText = text;
        return Outcome::finish(kvrt::Keyword);
    }
    return Outcome::again(requirement);
}

CKvUserIO::CKvUserIO(CKvDocument* document) : m_document(document) {}
CKvUserIO::~CKvUserIO() = default;

void CKvUserIO::SetDefaultInputSource(CKvInputSource* source)
{
    g_defaultSource = source;
}

CKvInputSource* CKvUserIO::DefaultInputSource()
{
    return g_defaultSource;
}

CKvInputSource* CKvUserIO::source() const
{
    if (m_document && m_document->InputSource())
        return m_document->InputSource();
    return g_defaultSource;
}

// --- Keyword set-up

int CKvUserIO::InitGet(int flags, const CKvStringArray& globalNames, const CKvStringArray& localNames)
{
    m_flags = flags;
    m_keywords.clear();
    for (int i = 0; i < globalNames.size(); ++i)
        m_keywords.Add(globalNames.at(i), i < localNames.size() ? localNames.at(i) : globalNames.at(i));
    if (CKvInputSource* s = source())
        s->KeywordsSet(m_flags, m_keywords);
    return kvrt::Normal;
}

int CKvUserIO::InitGet(int flags)
{
    m_flags = flags;
    m_keywords.clear();
    if (CKvInputSource* s = source())
        s->KeywordsSet(m_flags, m_keywords);
    return kvrt::Normal;
}

int CKvUserIO::InitGet(const CKvKeywordArray& keywords)
{
    m_keywords = keywords;
    if (CKvInputSource* s = source())
        s->KeywordsSet(m_flags, m_keywords);
    return kvrt::Normal;
}

void CKvUserIO::reset()
{
    m_flags = 0;
    m_keywords.clear();
}

// --- Messages

void CKvUserIO::SetMessage(const CKvString& text)
{
    m_message = text;
    if (CKvInputSource* s = source())
        s->MessageChanged(text);
}

void CKvUserIO::PrintMessage(const CKvString& text)
{
    if (CKvInputSource* s = source())
        s->Print(text);
}

// --- Composition

int CKvUserIO::linearDecimals() const
{
    const CKvDatabase* db = m_document ? m_document->GetKvDatabase() : nullptr;
    return db ? db->linearPrecision : 4;
}

int CKvUserIO::angularDecimals() const
{
    const CKvDatabase* db = m_document ? m_document->GetKvDatabase() : nullptr;
    return db ? db->angularPrecision : 2;
}

CKvString CKvUserIO::compose(const CKvString& message, const QString& defaultText) const
{
    QString text = message;
    // Trailing blanks and a closing colon are the composition's to add.
    auto chopBlanks = [&text] {
        while (!text.isEmpty() && text.back().isSpace() && text.back() != QLatin1Char('\n'))
            text.chop(1);
    };
    chopBlanks();
    if (text.endsWith(QLatin1Char(':'))) {
        text.chop(1);
        chopBlanks();
    }
    const bool hasWords = !text.trimmed().isEmpty();
    QStringList shown;
    for (const CKvKeyword& k : m_keywords) {
        const QString s = KvInputText::keywordShown(k);
        if (!s.isEmpty())
            shown.append(s);
    }
    if (!shown.isEmpty() && !text.contains(QLatin1Char('['))) {
        const QString list = QLatin1Char('[') + shown.join(QLatin1Char('/')) + QLatin1Char(']');
        // Prompts written "Specify point or" bring their own "or".
        const bool endsWithOr = text.trimmed().endsWith(QLatin1String(" or"), Qt::CaseInsensitive)
                                || text.trimmed().compare(QLatin1String("or"), Qt::CaseInsensitive) == 0;
        text += !hasWords ? list : endsWithOr ? QLatin1Char(' ') + list : QLatin1String(" or ") + list;
    }
    if (!defaultText.isEmpty() && !(text.contains(QLatin1Char('<')) && text.contains(QLatin1Char('>')))) {
        const QString d = QLatin1Char('<') + defaultText + QLatin1Char('>');
        text += text.trimmed().isEmpty() ? d : QLatin1Char(' ') + d;
    }
    if (text.trimmed().isEmpty())
        return CKvString(text.isNull() ? QStringLiteral("") : text);
    return CKvString(text + QLatin1String(": "));
}

CKvString CKvUserIO::ComposePrompt(const CKvString& message) const
{
    return compose(message, QString());
}

CKvString CKvUserIO::ComposePromptString(const CKvString& message, const CKvString& defaultText) const
{
    return compose(message, defaultText);
}

CKvString CKvUserIO::ComposePromptPoint(const CKvString& message, const double* defaultPoint) const
{
    if (!defaultPoint)
        return compose(message, QString());
    const double* o = m_document ? m_document->UcsOrigin() : nullptr;
    QStringList parts;
    for (int i = 0; i < 3; ++i)
        parts << KvInputText::formatNumber(defaultPoint[i] - (o ? o[i] : 0.0), linearDecimals());
    return compose(message, parts.join(QLatin1Char(',')));
}

CKvString CKvUserIO::ComposePromptInteger(const CKvString& message, int defaultValue) const
{
    return compose(message, QString::number(defaultValue));
}

CKvString CKvUserIO::ComposePromptReal(const CKvString& message, double defaultValue) const
{
    return compose(message, KvInputText::formatNumber(defaultValue, linearDecimals()));
}

CKvString CKvUserIO::ComposePromptDistance(const CKvString& message, double defaultValue) const
{
    return compose(message, KvInputText::formatNumber(defaultValue, linearDecimals()));
}

CKvString CKvUserIO::ComposePromptAngle(const CKvString& message, double defaultDegrees) const
{
    return compose(message, KvInputText::formatNumber(defaultDegrees, angularDecimals()));
}

CKvString CKvUserIO::ComposePromptKeyword(const CKvString& message, const CKvString& defaultKeyword) const
{
    return compose(message, defaultKeyword);
}

// --- Asking

KvPromptRequest CKvUserIO::newRequest(KvPromptRequest::Kind kind, const CKvString& prompt) const
{
    KvPromptRequest r;
    r.kind = kind;
    r.document = m_document;
    r.prompt = prompt;
    r.message = m_message;
    r.keywords = m_keywords;
    r.flags = m_flags;
    return r;
}

int CKvUserIO::ask(KvPromptRequest& request, const Interpreter& interpret)
{
    CKvInputSource* s = source();
    m_keywordText.clear();
    for (int attempt = 0; s; ++attempt) {
        if (attempt >= kMaxUnusableAnswers) {
            s->Print(tr("Too many unusable answers; the prompt is cancelled."));
            break;
        }
        request.retry = attempt;
        const KvPromptAnswer answer = s->Ask(request);
        if (answer.type == KvPromptAnswer::Cancel || answer.type == KvPromptAnswer::NoMore)
            break;
        if (answer.type == KvPromptAnswer::Enter && (request.flags & NoNull) && !request.hasDefault) {
            s->Print(tr("An answer is required."));
            continue;
        }
        const Outcome outcome = interpret(answer);
        if (outcome.done)
            return outcome.status;
        s->Print(outcome.note);
    }
    m_keywordText.clear();
    return kvrt::Cancel;
}

namespace {
// Runs at the end of every public prompt: a keyword set-up holds for one prompt only.
struct ResetAfter
{
    std::function<void()> f;
    ~ResetAfter() { f(); }
};
} // namespace

int CKvUserIO::GetPoint(const CKvString& prompt, int option1, int option2, double out[3], const double* base,
                        const CKvString&, bool option4, int option5, int option6)
{
    ResetAfter after{[this] { reset(); }};
    KvPromptRequest request = newRequest(KvPromptRequest::Point, prompt);
    request.arguments[0] = option1;
    request.arguments[1] = option2;
    request.arguments[2] = option4 ? 1 : 0;
    request.arguments[3] = option5 + option6;
    return askPoint(request, base, out);
}

int CKvUserIO::GetCorner(const CKvString& prompt, const double* base, double out[3])
{
    ResetAfter after{[this] { reset(); }};
    KvPromptRequest request = newRequest(KvPromptRequest::Corner, prompt);
    return askPoint(request, base, out);
}

int CKvUserIO::askPoint(KvPromptRequest& request, const double* base, double out[3])
{
    if (base) {
        request.hasBase = true;
        copyPoint(base, request.base);
    }
    double result[3] = {0, 0, 0};
    const int status = ask(request, [&](const KvPromptAnswer& a) {
        if (a.type == KvPromptAnswer::Enter)
            return Outcome::finish(kvrt::None);
        const double* from = base ? base : (m_document ? m_document->LastPoint() : nullptr);
        if (KvInputText::parsePoint(a.text, from, m_document ? m_document->UcsOrigin() : nullptr, result)) {
            m_keywordText = a.text;
            return Outcome::finish(kvrt::Normal);
        }
        return keywordOr(a.text, request, tr("Invalid point."));
    });
    if (status == kvrt::Normal) {
        if (out)
            copyPoint(result, out);
        if (m_document)
            m_document->SetLastPoint(result);
    }
    return status;
}

bool CKvUserIO::secondPoint(const CKvString& prompt, const double first[3], double out[3], int* status)
{
    KvPromptRequest request = newRequest(KvPromptRequest::Point, prompt);
    request.keywords.clear();
    request.hasBase = true;
    copyPoint(first, request.base);
    const int s = ask(request, [&](const KvPromptAnswer& a) {
        if (a.type == KvPromptAnswer::Enter)
            return Outcome::finish(kvrt::None);
        if (KvInputText::parsePoint(a.text, first, m_document ? m_document->UcsOrigin() : nullptr, out))
            return Outcome::finish(kvrt::Normal);
        return Outcome::again(tr("Invalid point."));
    });
    *status = s;
    return s == kvrt::Normal;
}

namespace {
// Shared by the number prompts: checks of the input flags on a number.
QString numberRejected(double v, int flags)
{
    if ((flags & CKvUserIO::NoZero) && v == 0)
        return QCoreApplication::translate("CKvUserIO", "Value must be nonzero.");
    if ((flags & CKvUserIO::NoNegative) && v < 0)
        return QCoreApplication::translate("CKvUserIO", "Value must be positive.");
    return QString();
}
} // namespace

int CKvUserIO::GetInteger(const CKvString& prompt, const int* defaultValue, int* out)
{
    ResetAfter after{[this] { reset(); }};
    KvPromptRequest request = newRequest(KvPromptRequest::Integer, prompt);
    if (defaultValue) {
        request.hasDefault = true;
        request.defaultText = QString::number(*defaultValue);
    }
    int result = 0;
    const int status = ask(request, [&](const KvPromptAnswer& a) {
        if (a.type == KvPromptAnswer::Enter) {
            if (!defaultValue)
                return Outcome::finish(kvrt::None);
            // A default the prompt would refuse when typed is refused on Enter as well.
            if (!KvInputText::parseInteger(QString::number(*defaultValue), result))
                return Outcome::again(tr("Requires an integer between -32768 and 32767."));
            return Outcome::finish(kvrt::Normal);
        }
        if (KvInputText::parseInteger(a.text, result)) {
            const QString rejected = numberRejected(result, request.flags);
            if (!rejected.isEmpty())
                return Outcome::again(rejected);
            m_keywordText = a.text;
            return Outcome::finish(kvrt::Normal);
        }
        int index = -1;
        const auto match = KvInputText::matchKeyword(a.text, request.keywords, &index);
        if (match == KvInputText::KeywordMatch::Unique) {
            m_keywordText = request.keywords.at(index).globalName;
            return Outcome::finish(kvrt::Keyword);
        }
        if (match == KvInputText::KeywordMatch::Ambiguous)
            return Outcome::again(tr("Ambiguous response, please clarify..."));
        if (request.flags & ArbitraryInput) {
            m_keywordText = a.text;
            return Outcome::finish(kvrt::Keyword);
        }
        double real = 0;
        if (KvInputText::parseReal(a.text, real) && std::floor(real) == real)
            return Outcome::again(tr("Requires an integer between -32768 and 32767."));
        return Outcome::again(tr("Requires an integer value."));
    });
    if (status == kvrt::Normal && out)
        *out = result;
    return status;
}


int CKvUserIO::GetReal(const CKvString& prompt, const double* defaultValue, double* out)
{
    ResetAfter after{[this] { reset(); }};
    KvPromptRequest request = newRequest(KvPromptRequest::Real, prompt);
    if (defaultValue) {
        request.hasDefault = true;
        request.defaultText = KvInputText::formatNumber(*defaultValue, linearDecimals());
    }
    double result = 0;
    const int status = ask(request, [&](const KvPromptAnswer& a) {
        if (a.type == KvPromptAnswer::Enter) {
            if (!defaultValue)
                return Outcome::finish(kvrt::None);
            result = *defaultValue;
            return Outcome::finish(kvrt::Normal);
        }
        if (KvInputText::parseReal(a.text, result)) {
            const QString rejected = numberRejected(result, request.flags);
            if (!rejected.isEmpty())
                return Outcome::again(rejected);
            m_keywordText = a.text;
            return Outcome::finish(kvrt::Normal);
        }
        return keywordOr(a.text, request, tr("Requires numeric value."));
    });
    if (status == kvrt::Normal && out)
        *out = result;
    return status;
}

int CKvUserIO::GetDistance(const CKvString& prompt, const double* defaultValue, const double* base, double* out)
{
    ResetAfter after{[this] { reset(); }};
    KvPromptRequest request = newRequest(KvPromptRequest::Distance, prompt);
    if (defaultValue) {
        request.hasDefault = true;
        request.defaultText = KvInputText::formatNumber(*defaultValue, linearDecimals());
    }
    return askMeasure(request, base, defaultValue, 1.0, false, tr("Requires numeric distance or two points."), out);
}

int CKvUserIO::GetAngle(const CKvString& prompt, const double* defaultDegrees, const double* base, double* out)
{
    ResetAfter after{[this] { reset(); }};
    KvPromptRequest request = newRequest(KvPromptRequest::Angle, prompt);
    if (defaultDegrees) {
        request.hasDefault = true;
        request.defaultText = KvInputText::formatNumber(*defaultDegrees, angularDecimals());
    }
    return askMeasure(request, base, defaultDegrees, M_PI / 180.0, true, tr("Requires numeric angle or second point."), out);
}

// Distance and angle prompts take the same answers: Enter for the default, a number (in
// the unit that `scale` turns into the result's), a point that measures the value from the
// base point (or from a second point asked for), a keyword.
int CKvUserIO::askMeasure(KvPromptRequest& request, const double* base, const double* defaultValue, double scale,
                          bool angle, const QString& requirement, double* out)
{
    if (base) {
        request.hasBase = true;
        copyPoint(base, request.base);
    }
    double result = 0;
    bool pointGiven = false;
    double first[3] = {0, 0, 0};
    auto interpret = [&](const KvPromptAnswer& a) {
        pointGiven = false;
        if (a.type == KvPromptAnswer::Enter) {
            if (!defaultValue)
                return Outcome::finish(kvrt::None);
            result = *defaultValue * scale;
            return Outcome::finish(kvrt::Normal);
        }
        double typed = 0;
        if (KvInputText::parseReal(a.text, typed)) {
            const QString rejected = numberRejected(typed, request.flags);
            if (!rejected.isEmpty())
                return Outcome::again(rejected);
            result = typed * scale;
            m_keywordText = a.text;
            return Outcome::finish(kvrt::Normal);
        }
        const double* from = base ? base : (m_document ? m_document->LastPoint() : nullptr);
        if (KvInputText::parsePoint(a.text, from, m_document ? m_document->UcsOrigin() : nullptr, first)) {
            m_keywordText = a.text;
            pointGiven = true;
            return Outcome::finish(kvrt::Normal);
        }
        return keywordOr(a.text, request, requirement);
    };
    // Points so far apart that their distance or direction is no number give no answer: the
    // prompt says so and asks again.
    for (int attempt = 0;; ++attempt) {
        const int status = ask(request, interpret);
        if (status != kvrt::Normal)
            return status;
        if (!pointGiven)
            break;
        double second[3] = {0, 0, 0};
        if (base) {
            copyPoint(first, second);
            copyPoint(base, first);
        } else {
            const CKvString typed = m_keywordText;
            int s = kvrt::Cancel;
            if (!secondPoint(tr("Specify second point: "), first, second, &s))
                return s;
            m_keywordText = typed;
        }
        const double dx = second[0] - first[0], dy = second[1] - first[1], dz = second[2] - first[2];
        if (angle) {
            result = std::atan2(dy, dx);
            if (result < 0)
                result += 2 * M_PI;
        } else {
            result = std::hypot(dx, dy, dz);
        }
        if (std::isfinite(dx) && std::isfinite(dy) && std::isfinite(dz) && std::isfinite(result))
            break;
        CKvInputSource* s = source();
        if (!s || attempt + 1 >= kMaxUnusableAnswers) {
            m_keywordText.clear();
            return kvrt::Cancel;
        }
        s->Print(tr("The points are too far apart; the answer is out of range."));
    }
    if (out)
        *out = result;
    return kvrt::Normal;
}

int CKvUserIO::GetString(bool spaces, const CKvString& prompt, const CKvString& defaultText, CKvString* out,
                         int option1, int option2)
{
    ResetAfter after{[this] { reset(); }};
    KvPromptRequest request = newRequest(KvPromptRequest::String, prompt);
    request.spaces = spaces;
    request.hasDefault = !defaultText.isEmpty();
    request.defaultText = defaultText;
    request.arguments[0] = spaces ? 1 : 0;
    request.arguments[1] = option1;
    request.arguments[2] = option2;
    CKvString result;
    const int status = ask(request, [&](const KvPromptAnswer& a) {
        if (a.type == KvPromptAnswer::Enter) {
            result = defaultText;
            return Outcome::finish(kvrt::Normal);
        }
        int index = -1;
        const auto match = KvInputText::matchKeyword(a.text, request.keywords, &index);
        if (match == KvInputText::KeywordMatch::Unique) {
            m_keywordText = request.keywords.at(index).globalName;
            return Outcome::finish(kvrt::Keyword);
        }
        QString text = a.text;
        // Without spaces a blank ends the answer, as it does on the command line.
        if (!spaces) {
            const int blank = text.indexOf(QLatin1Char(' '));
            if (blank >= 0)
                text.truncate(blank);
        }
        result = text;
        m_keywordText = text;
        return Outcome::finish(kvrt::Normal);
    });
    if (status == kvrt::Normal && out)
        *out = result;
    return status;
}

int CKvUserIO::GetKeyword(const CKvString& prompt, const CKvString& defaultKeyword, CKvString* out, int option1,
                          int option2)
{
    ResetAfter after{[this] { reset(); }};
    KvPromptRequest request = newRequest(KvPromptRequest::Keyword, prompt);
    request.hasDefault = !defaultKeyword.isEmpty();
    request.defaultText = defaultKeyword;
    request.arguments[0] = option1;
    request.arguments[1] = option2;
    bool anyKeyword = false;
    for (const CKvKeyword& k : request.keywords)
        anyKeyword = anyKeyword || !KvInputText::keywordShown(k).isEmpty();
    CKvString result;
    const int status = ask(request, [&](const KvPromptAnswer& a) {
        if (a.type == KvPromptAnswer::Enter) {
            if (defaultKeyword.isEmpty())
                return Outcome::finish(kvrt::None);
            result = defaultKeyword;
            return Outcome::finish(kvrt::Normal);
        }
        int index = -1;
        switch (KvInputText::matchKeyword(a.text, request.keywords, &index)) {
        case KvInputText::KeywordMatch::Unique:
            result = request.keywords.at(index).globalName;
            m_keywordText = result;
            return Outcome::finish(kvrt::Normal);
        case KvInputText::KeywordMatch::Ambiguous:
            return Outcome::again(tr("Ambiguous response, please clarify..."));
        case KvInputText::KeywordMatch::None:
            break;
        }
        if (!anyKeyword || (request.flags & ArbitraryInput)) {
            result = a.text.trimmed();
            m_keywordText = result;
            return Outcome::finish(kvrt::Normal);
        }
        return Outcome::again(tr("Invalid option keyword."));
    });
    if (status == kvrt::Normal && out)
        *out = result;
    return status;
}

// --- Entities

bool CKvUserIO::pickEntity(const QString& text, const double* base, OdDbObjectId* id, double point[3]) const
{
    CKvDatabase* db = m_document ? m_document->GetKvDatabase() : nullptr;
    *id = OdDbObjectId();
    if (!db)
        return false;
    std::uint64_t handle = 0;
    if (KvInputText::parseHandle(text, handle)) {
        const auto* entity = dynamic_cast<const OdDbEntity*>(db->getObject(handle));
        if (entity && !entity->isErased()) {
            *id = entity->objectId();
            const OdGeExtents3d e = entity->extents();
            if (e.isValid()) {
                point[0] = (e.minPoint.x + e.maxPoint.x) / 2;
                point[1] = (e.minPoint.y + e.maxPoint.y) / 2;
                point[2] = (e.minPoint.z + e.maxPoint.z) / 2;
            }
        }
        return true;
    }
    const double* from = base ? base : m_document->LastPoint();
    if (!KvInputText::parsePoint(text, from, m_document->UcsOrigin(), point))
        return false;
    const OdDbObjectId block = db->GetActiveBlockId();
    *id = KvPick::entityAt(*db, block, {point[0], point[1], point[2]}, KvPick::pickTolerance(*db, block));
    return true;
}

int CKvUserIO::GetEntity(const CKvString& prompt, CKvSelectionSet* set, int flags, double pickPoint[3], int* pickedIndex,
                         int hint1, int hint2, const void*)
{
    ResetAfter after{[this] { reset(); }};
    KvPromptRequest request = newRequest(KvPromptRequest::Entity, prompt);
    request.arguments[0] = flags;
    request.arguments[1] = hint1;
    request.arguments[2] = hint2;
    OdDbObjectId picked;
    double point[3] = {0, 0, 0};
    const int status = ask(request, [&](const KvPromptAnswer& a) {
        if (a.type == KvPromptAnswer::Enter)
            return Outcome::finish(kvrt::None);
        if (pickEntity(a.text, nullptr, &picked, point)) {
            m_keywordText = a.text;
            return Outcome::finish(kvrt::Normal);
        }
        return keywordOr(a.text, request, tr("Select an entity: a point near it or its handle (#1F)."));
    });
    if (status == kvrt::Normal) {
        if (set) {
            set->Clear();
            set->Add(picked);
        }
        if (picked.isNull())
            PrintMessage(tr("Nothing selected."));
        if (pickPoint)
            copyPoint(point, pickPoint);
        if (pickedIndex)
            *pickedIndex = 0;
    }
    return status;
}

int CKvUserIO::GetSelection(int mode, CKvSelectionSet* set, unsigned modeMask, const CKvString& prompt,
                            const CKvString& removePrompt, const void*, const void*, bool firstPass, short number,
                            const void*)
{
    ResetAfter after{[this] { reset(); }};
    KvPromptRequest request = newRequest(KvPromptRequest::Selection, prompt);
    request.removePrompt = removePrompt;
    request.arguments[0] = mode;
    request.arguments[1] = int(modeMask);
    request.arguments[2] = firstPass ? 1 : 0;
    request.arguments[3] = number;
    if (set && firstPass)
        set->Clear();
    return selectInto(request, set, nullptr, false);
}

int CKvUserIO::GetSelectionFiltered(CKvSelectionSet* set, const CKvString& prompt, const CKvString& removePrompt,
                                    const kv_resbuf* filter, bool singlePass)
{
    ResetAfter after{[this] { reset(); }};
    KvPromptRequest request = newRequest(KvPromptRequest::Selection, prompt);
    request.removePrompt = removePrompt;
    if (set)
        set->Clear();
    const KvSelectionFilter compiled(filter);
    // A filter the host cannot read is an error before anything is asked.
    if (!compiled.isValid())
        return kvrt::Error;
    return selectInto(request, set, filter ? &compiled : nullptr, singlePass);
}

int CKvUserIO::selectInto(KvPromptRequest& request, CKvSelectionSet* set, const KvSelectionFilter* filter,
                          bool singlePass)
{
    m_keywordText.clear();
    CKvInputSource* s = source();
    CKvDatabase* db = m_document ? m_document->GetKvDatabase() : nullptr;
    if (!s || !set || !db)
        return kvrt::Cancel;
    const OdDbObjectId block = db->GetActiveBlockId();
    const CKvString addPrompt = request.prompt;
    bool removing = false;
    int unusable = 0;

    // Adds or removes what an answer selected; entities the filter refuses are left out.
    auto take = [&](const QVector<OdDbObjectId>& ids) {
        int changed = 0, refused = 0;
        for (const OdDbObjectId& id : ids) {
            const auto* entity = dynamic_cast<const OdDbEntity*>(id.openObject());
            if (!entity || entity->isErased())
                continue;
            if (filter && !filter->matches(*entity)) {
                ++refused;
                continue;
            }
            changed += removing ? (set->Remove(id) ? 1 : 0) : (set->Add(id) ? 1 : 0);
        }
        QString note = removing ? tr("%1 removed, %2 total").arg(changed).arg(set->Count())
                                : tr("%1 found, %2 total").arg(changed).arg(set->Count());
        if (refused)
            note += tr(" (%1 filtered out)").arg(refused);
        s->Print(note);
        return changed;
    };
    // The two corners of a window, asked as points.
    auto corners = [&](OdGePoint3d& c1, OdGePoint3d& c2) {
        double p1[3] = {0, 0, 0}, p2[3] = {0, 0, 0};
        const CKvKeywordArray none;
        KvPromptRequest corner = newRequest(KvPromptRequest::Corner, tr("Specify first corner: "));
        corner.keywords = none;
        auto point = [&](double* out, const double* base) {
            return [this, out, base](const KvPromptAnswer& a) {
                if (a.type == KvPromptAnswer::Enter)
                    return Outcome::finish(kvrt::None);
                const double* from = base ? base : m_document->LastPoint();
                if (KvInputText::parsePoint(a.text, from, m_document->UcsOrigin(), out))
                    return Outcome::finish(kvrt::Normal);
                return Outcome::again(tr("Invalid point."));
            };
        };
        int status = ask(corner, point(p1, nullptr));
        if (status != kvrt::Normal)
            return status;
        corner.prompt = tr("Specify opposite corner: ");
        corner.hasBase = true;
        copyPoint(p1, corner.base);
        status = ask(corner, point(p2, p1));
        if (status != kvrt::Normal)
            return status;
        c1 = {p1[0], p1[1], p1[2]};
        c2 = {p2[0], p2[1], p2[2]};
        return kvrt::Normal;
    };

    for (;;) {
        if (unusable >= kMaxUnusableAnswers) {
            s->Print(tr("Too many unusable answers; the prompt is cancelled."));
            return kvrt::Cancel;
        }
        request.prompt = removing ? request.removePrompt : addPrompt;
        request.retry = unusable;
        const KvPromptAnswer answer = s->Ask(request);
        if (answer.type == KvPromptAnswer::Cancel || answer.type == KvPromptAnswer::NoMore) {
            m_keywordText.clear();
            return kvrt::Cancel;
        }
        if (answer.type == KvPromptAnswer::Enter)
            return set->Count() > 0 ? kvrt::Normal : kvrt::None;

        const QString text = answer.text;
        int index = -1;
        const auto match = KvInputText::matchKeyword(text, request.keywords, &index);
        if (match == KvInputText::KeywordMatch::Unique) {
            m_keywordText = request.keywords.at(index).globalName;
            return kvrt::Keyword;
        }
        if (match == KvInputText::KeywordMatch::Ambiguous) {
            s->Print(tr("Ambiguous response, please clarify..."));
            ++unusable;
            continue;
        }
        int changed = 0;
        switch (selectOption(text)) {
        case SelectOption::All:
            changed = take(KvPick::entitiesOf(*db, block));
            break;
        case SelectOption::Last: {
            const OdDbObjectId last = KvPick::lastEntity(*db, block);
            changed = take(last.isNull() ? QVector<OdDbObjectId>() : QVector<OdDbObjectId>{last});
            break;
        }
        case SelectOption::Previous:
            changed = take(m_document->PreviousSelection());
            break;
        case SelectOption::Window:
        case SelectOption::Crossing: {
            OdGePoint3d c1, c2;
            const int status = corners(c1, c2);
            if (status == kvrt::Cancel)
                return kvrt::Cancel;
            if (status == kvrt::Normal)
                changed = take(KvPick::entitiesInWindow(*db, block, c1, c2, selectOption(text) == SelectOption::Crossing));
            break;
        }
        case SelectOption::Remove:
            removing = true;
            continue;
        case SelectOption::Add:
            removing = false;
            continue;
        case SelectOption::None: {
            OdDbObjectId id;
            double point[3] = {0, 0, 0};
            if (!pickEntity(text, nullptr, &id, point)) {
                s->Print(tr("Expects a point, a handle (#1F) or All/Last/Previous/Window/Crossing/Remove/Add."));
                ++unusable;
                continue;
            }
            changed = take(id.isNull() ? QVector<OdDbObjectId>() : QVector<OdDbObjectId>{id});
            break;
        }
        }
        if (singlePass && changed > 0 && set->Count() > 0)
            return kvrt::Normal;
    }
}

// --- Drag

int CKvUserIO::DragEntities(const QVector<OdDbObjectId>& ids, const CKvString& prompt, const double* base,
                            const CKvKeywordArray& extraKeywords,
                            const std::function<bool(const double[3], double[4][4])>& transform, double out[3])
{
    ResetAfter after{[this] { reset(); }};
    KvPromptRequest request = newRequest(KvPromptRequest::Drag, prompt);
    for (const CKvKeyword& k : extraKeywords)
        request.keywords.append(k);
    if (base) {
        request.hasBase = true;
        copyPoint(base, request.base);
    }
    CKvInputSource* s = source();
    auto show = [this, s, &ids, &transform](const double point[3]) {
        double matrix[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
        if (s && transform && transform(point, matrix))
            s->DragShown(m_document, ids, matrix);
    };
    request.cursorMoved = show;
    if (base)
        show(base);
    double result[3] = {0, 0, 0};
    const int status = ask(request, [&](const KvPromptAnswer& a) {
        if (a.type == KvPromptAnswer::Enter)
            return Outcome::finish(kvrt::None);
        const double* from = base ? base : (m_document ? m_document->LastPoint() : nullptr);
        if (KvInputText::parsePoint(a.text, from, m_document ? m_document->UcsOrigin() : nullptr, result)) {
            show(result);
            return Outcome::finish(kvrt::Normal);
        }
        // Anything else typed ends the drag as text; a keyword is taken whole.
        int index = -1;
        if (KvInputText::matchKeyword(a.text, request.keywords, &index) == KvInputText::KeywordMatch::Unique)
            m_keywordText = request.keywords.at(index).globalName;
        else
            m_keywordText = a.text;
        return Outcome::finish(kvrt::String);
    });
    if (status == kvrt::Normal) {
        if (out)
            copyPoint(result, out);
        if (m_document)
            m_document->SetLastPoint(result);
    }
    return status;
}

void CKvUserIO::PrepareDrag(int code, const double* userBase)
{
    m_dragCode = code;
    m_dragPrepared = userBase != nullptr;
    for (int i = 0; i < 3; ++i)
        m_dragBase[i] = userBase ? userBase[i] : 0.0;
}

void CKvUserIO::EndDrag()
{
    m_dragPrepared = false;
    m_dragCode = 0;
    if (CKvInputSource* s = source())
        s->DragEnded(m_document);
}
