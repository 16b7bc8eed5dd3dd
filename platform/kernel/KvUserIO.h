#pragma once

#include "KvPlatformExport.h"
#include "drawing/KvDatabase.h"
#include "kernel/KvString.h"

#include <QVector>
#include <functional>
#include <memory>

class CKvDocument;
class CKvSelectionSet;
class KvSelectionFilter;
struct kv_resbuf;

// One question of the user-input service, as the source of answers sees it.
struct KvPromptRequest
{
    enum Kind { Entity, Selection, Point, Corner, Integer, Real, Distance, Angle, String, Keyword, Drag };
    Kind kind = String;
    CKvDocument* document = nullptr;
    CKvString prompt;          // as composed, shown on the command line
    CKvString message;         // the message operation's text at the time of asking
    CKvKeywordArray keywords;  // what may be typed instead of a value
    int flags = 0;             // input flags of the keyword set-up
    bool hasBase = false;      // base point (world): rubber band, "@" input
    double base[3] = {0, 0, 0};
    bool hasDefault = false;   // what Enter gives, as shown
    CKvString defaultText;
    bool spaces = false;       // string prompt: blanks belong to the answer
    int retry = 0;             // how many unusable answers came before at this prompt
    // The values a prompt was called with that only the host interprets, kept so that the
    // caller's exact arguments can be seen: entity prompt (flags, 2 and 105 style values),
    // selection prompt (mode, mask, first pass, number).
    int arguments[4] = {0, 0, 0, 0};
    CKvString removePrompt;    // selection prompt
    // While the prompt waits the source may report where the cursor is (world); a drag
    // shows its entities moved there.
    std::function<void(const double point[3])> cursorMoved;
};

// What the user did at a prompt.
struct KvPromptAnswer
{
    enum Type {
        Text,   // typed text (a line)
        Enter,  // Enter on an empty line
        Cancel, // Esc
        NoMore  // the source has nothing more to give (a script ran out): treated as Esc
    };
    Type type = NoMore;
    CKvString text;

    static KvPromptAnswer typed(const CKvString& text) { return {Text, text}; }
    static KvPromptAnswer enter() { return {Enter, CKvString()}; }
    static KvPromptAnswer cancel() { return {Cancel, CKvString()}; }
    static KvPromptAnswer noMore() { return {NoMore, CKvString()}; }
};

// Where the user-input service takes its answers from and shows what it has to say: the
// command line in kvhost, a script in tests.
class KVPLATFORM_EXPORT CKvInputSource
{
public:
    virtual ~CKvInputSource();
    virtual KvPromptAnswer Ask(const KvPromptRequest& request) = 0;
    // A line for the command line (notes on unusable answers, command-line messages).
    virtual void Print(const CKvString& text);
    // The message operation's text changed (empty: no message).
    virtual void MessageChanged(const CKvString& text);
    // A keyword set-up: the input flags and keywords of the next prompt.
    virtual void KeywordsSet(int flags, const CKvKeywordArray& keywords);
    // A drag shows its entities moved by the matrix (row-major, translation in the last column).
    virtual void DragShown(CKvDocument* document, const QVector<OdDbObjectId>& ids, const double matrix[4][4]);
    virtual void DragEnded(CKvDocument* document);
};

// The user-input service of a document: keyword set-up, messages, prompt composition and
// the prompts themselves. Prompts answer Normal (5100), None (5000, Enter without a default),
// Cancel (-5002) or Keyword (-5005). A keyword set-up holds for the next prompt only.
class KVPLATFORM_EXPORT CKvUserIO
{
public:
    explicit CKvUserIO(CKvDocument* document);
    ~CKvUserIO();
    CKvUserIO(const CKvUserIO&) = delete;
    CKvUserIO& operator=(const CKvUserIO&) = delete;

    CKvDocument* document() const { return m_document; }

    // The source used by documents that have none of their own (kvhost's command line).
    static void SetDefaultInputSource(CKvInputSource* source);
    static CKvInputSource* DefaultInputSource();
    CKvInputSource* source() const;

    // Input flags understood: 1 Enter not allowed, 2 zero not allowed, 4 negative not
    // allowed, 128 any text is taken (returned as the keyword text).
    enum InputFlag { NoNull = 1, NoZero = 2, NoNegative = 4, ArbitraryInput = 128 };

    // --- Keyword set-up for the next prompt
    // Flags and keywords; globalNames and localNames pair by position (a missing local name is
    // the global one).
    int InitGet(int flags, const CKvStringArray& globalNames, const CKvStringArray& localNames);
    // Flags only: no keywords.
    int InitGet(int flags);
    // Keywords with their own global and local names; the flags stay as they are.
    int InitGet(const CKvKeywordArray& keywords);
    int inputFlags() const { return m_flags; }
    const CKvKeywordArray& keywords() const { return m_keywords; }

    // --- Message shown with the prompts until replaced (empty: none)
    void SetMessage(const CKvString& text);
    CKvString message() const { return m_message; }

    // --- Prompt composition: "message or [kw1/kw2] <default>: " from the message, the keywords
    // of the current set-up and a default. A message that brings its own "[...]" keeps it.
    CKvString ComposePrompt(const CKvString& message) const;
    CKvString ComposePromptString(const CKvString& message, const CKvString& defaultText) const;
    // Null point: no default.
    CKvString ComposePromptPoint(const CKvString& message, const double* defaultPoint) const;
    CKvString ComposePromptInteger(const CKvString& message, int defaultValue) const;
    CKvString ComposePromptReal(const CKvString& message, double defaultValue) const;
    CKvString ComposePromptDistance(const CKvString& message, double defaultValue) const;
    // The default angle in degrees, as the user reads and types angles.
    CKvString ComposePromptAngle(const CKvString& message, double defaultDegrees) const;
    CKvString ComposePromptKeyword(const CKvString& message, const CKvString& defaultKeyword) const;

    // --- Prompts
    // One entity picked by a point near it or by its handle ("#1F"). On Normal the set holds
    // the entity (empty when the pick found nothing) and pickPoint the point. flags, hint1 and
    // hint2 are the caller's picking options; reserved must be null.
    int GetEntity(const CKvString& prompt, CKvSelectionSet* set, int flags, double pickPoint[3], int* pickedIndex,
                  int hint1, int hint2, const void* reserved);
    // A selection, answer by answer until Enter: points, handles, "All", "Last", "Previous",
    // "Window", "Crossing", "Remove" (then removePrompt is shown) and "Add". A first pass
    // starts from an empty set, a later one adds to it. Normal when the set holds entities
    // at the end, None when it is empty.
    int GetSelection(int mode, CKvSelectionSet* set, unsigned modeMask, const CKvString& prompt,
                     const CKvString& removePrompt, const void* reserved1, const void* reserved2, bool firstPass,
                     short number, const void* reserved3);
    // The same with a filter chain entities must pass (the LISP context's selection; see
    // KvSelectionFilter). A chain that is no valid filter answers Error without asking.
    int GetSelectionFiltered(CKvSelectionSet* set, const CKvString& prompt, const CKvString& removePrompt,
                             const kv_resbuf* filter, bool singlePass);
    // A point (world). base may be null. The other arguments are the caller's options.
    int GetPoint(const CKvString& prompt, int option1, int option2, double out[3], const double* base,
                 const CKvString& option3, bool option4, int option5, int option6);
    int GetCorner(const CKvString& prompt, const double* base, double out[3]);
    // Null default: Enter answers None. A default outside 16 bits is refused on Enter, as it
    // would be when typed.
    int GetInteger(const CKvString& prompt, const int* defaultValue, int* out);
    int GetReal(const CKvString& prompt, const double* defaultValue, double* out);
    // A number, or a point whose distance from the base point (or from a second point asked
    // for) is taken. Enter gives the default; null default: Enter answers None. Points too
    // far apart for their distance to be a number are asked for again.
    int GetDistance(const CKvString& prompt, const double* defaultValue, const double* base, double* out);
    // Typed angles are in degrees, points give the direction from the base point; the answer
    // is in radians. Null default: Enter answers None.
    int GetAngle(const CKvString& prompt, const double* defaultDegrees, const double* base, double* out);
    // Without spaces the answer ends at its first blank. Enter gives the default.
    int GetString(bool spaces, const CKvString& prompt, const CKvString& defaultText, CKvString* out, int option1,
                  int option2);
    // One of the keywords (the global name is returned); Enter gives the default keyword or None.
    // Without keywords any text is taken.
    int GetKeyword(const CKvString& prompt, const CKvString& defaultKeyword, CKvString* out, int option1, int option2);

    // The drag of a selection (the LISP context's drag): the cursor is shown moving the entities
    // through the callback; Normal with the point put down, String (5005) when text was typed
    // (the keyword text), None on Enter, Cancel on Esc.
    int DragEntities(const QVector<OdDbObjectId>& ids, const CKvString& prompt, const double* base,
                     const CKvKeywordArray& extraKeywords, const std::function<bool(const double[3], double[4][4])>& transform,
                     double out[3]);

    // The LISP context's drag preparation (a code and the base point in user coordinates) and
    // drag end; the drag between them starts from that base point.
    void PrepareDrag(int code, const double* userBase);
    bool dragPrepared() const { return m_dragPrepared; }
    const double* dragBase() const { return m_dragBase; }
    int dragCode() const { return m_dragCode; }
    void EndDrag();

    // What was typed at the last prompt: the keyword (its global name) when one was chosen,
    // otherwise the text as typed; empty after Enter and Esc.
    CKvString GetKeywordText() const { return m_keywordText; }
    // A line on the command line.
    void PrintMessage(const CKvString& text);

private:
    struct Outcome;
    using Interpreter = std::function<Outcome(const KvPromptAnswer&)>;
    int ask(KvPromptRequest& request, const Interpreter& interpret);
    Outcome keywordOr(const QString& text, const KvPromptRequest& request, const QString& requirement);
    int askPoint(KvPromptRequest& request, const double* base, double out[3]);
    KvPromptRequest newRequest(KvPromptRequest::Kind kind, const CKvString& prompt) const;
    CKvString compose(const CKvString& message, const QString& defaultText) const;
    int linearDecimals() const;
    int angularDecimals() const;
    int selectInto(KvPromptRequest& request, CKvSelectionSet* set, const KvSelectionFilter* filter, bool singlePass);
    bool pickEntity(const QString& text, const double* base, OdDbObjectId* id, double point[3]) const;
    bool secondPoint(const CKvString& prompt, const double first[3], double out[3], int* status);
    int askMeasure(KvPromptRequest& request, const double* base, const double* defaultValue, double scale, bool angle,
                   const QString& requirement, double* out);
    void reset();

    CKvDocument* m_document;
    int m_flags = 0;
    CKvKeywordArray m_keywords;
    CKvString m_message;
    CKvString m_keywordText;
    bool m_dragPrepared = false;
    int m_dragCode = 0;
    double m_dragBase[3] = {0, 0, 0};
};
