// initgetKorvane and the prompt family: prompts written in the suite's prompt notation
// ("message[kw1/kw2]<default>"), taken apart and handed to the host's prompts.
#include "input/InputSupport.h"
#include "input/PromptNotation.h"
#include "module/HostServices.h"
#include "module/LispArgs.h"
#include "module/LispHandlers.h"

#include "kernel/KvLispContext.h"
#include "kernel/KvUserIO.h"

#include <QCoreApplication>

using InputSupport::Host;

namespace {

// The input flags of the whole family, shared by all documents (set by initgetKorvane).
int g_inputFlags = 0;

enum PromptType { Integer = 1, String = 2, Point = 3, Keyword = 4, Real = 6, Distance = 7, Corner = 8, Angle = 9 };

// One prompt of the family, from its arguments to the composed prompt.
struct FamilyPrompt
{
    explicit FamilyPrompt(PromptType t) : type(t) {}
    PromptType type;
    Host host;
    PromptNotation notation;
    CKvStringArray keywords;
    bool hasBase = false;
    double base[3] = {0, 0, 0}; // world
    bool stringFlag = false;
    bool numericDefault = false;
    int integerDefault = 0;
    double realDefault = 0;
    CKvString composed;
};

void setLispCanceled(CKvLispContext* context)
{
    kv_resbuf* zero = context->NewNode(kvrt::Short);
    if (!zero)
        return;
    zero->resval.rint = 0;
    context->SetLispVariable(CKvString("LispCanceled"), zero);
    context->ReleaseChain(zero);
}

// Reads the arguments and composes the prompt; false when the call ends here (status 5100,
// no result).
bool prepare(FamilyPrompt& p)
{
    const bool ready = InputSupport::activeHost(p.host);
    if (p.host.context)
        setLispCanceled(p.host.context);
    LispArgs args(p.host.context);
    const short first = args.peekType();
    if (first == kvrt::Point3d || first == kvrt::Point2d) {
        double user[3] = {0, 0, 0};
        args.nextPoint(user, true);
        if (p.host.context && p.host.context->TranslatePoint(user, 1, 0, p.base) == kvrt::Normal)
            p.hasBase = true;
    } else if (first == kvrt::Nil || first == kvrt::T) {
        p.stringFlag = first == kvrt::T;
        args.skip();
    }
    CKvString text;
    if (args.nextString(text) != LispArgs::Ok || !ready)
        return false;

    p.notation = PromptNotation::parse(PromptNotation::withoutBackslashN(text));
    for (const QString& k : p.notation.keywords)
        p.keywords.append(k);
    CKvUserIO* io = p.host.userIO;
    io->InitGet(g_inputFlags, p.keywords, p.keywords);
    args.release();

    const QString& defaultText = p.notation.defaultText;
    p.numericDefault = PromptNotation::isNumber(defaultText);
    // A default that is not a value of the prompt's type is offered as a keyword instead.
    auto addEnterToKeyword = [&] {
        p.keywords.append(PromptNotation::enterToKeyword(defaultText));
        io->InitGet(g_inputFlags, p.keywords, p.keywords);
    };
    const CKvString message = p.notation.message;
    switch (p.type) {
    case Integer:
        if (p.numericDefault) {
            // A default the prompt cannot take (beyond 16 bits) is shown as written; the
            // prompt refuses it on Enter as it would when typed.
            p.integerDefault = PromptNotation::toInteger(defaultText);
            p.composed = PromptNotation::isInt16(p.integerDefault) ? io->ComposePromptInteger(message, p.integerDefault)
                                                                   : io->ComposePromptString(message, defaultText);
        } else {
            if (!defaultText.isEmpty())
                addEnterToKeyword();
            p.composed = io->ComposePrompt(message);
        }
        break;
    case String:
        p.composed = io->ComposePromptString(message, defaultText);
        break;
    case Point:
    case Corner:
        if (!defaultText.isEmpty())
            addEnterToKeyword();
        p.composed = io->ComposePromptPoint(message, nullptr);
        break;
    case Keyword: {
        CKvString shown = message;
        if (shown.isEmpty())
            shown = QCoreApplication::translate("Korvane", "Specify option");
        p.composed = io->ComposePromptKeyword(shown, defaultText);
        break;
    }
    case Real:
        if (p.numericDefault) {
            p.realDefault = PromptNotation::toReal(defaultText);
            p.composed = io->ComposePromptReal(message, p.realDefault);
        } else {
            if (!defaultText.isEmpty())
                addEnterToKeyword();
            p.composed = io->ComposePrompt(message);
        }
        break;
    case Distance:
        if (defaultText.isEmpty()) {
            p.composed = io->ComposePromptDistance(message, 0.0);
        } else if (p.numericDefault) {
            p.realDefault = PromptNotation::toReal(defaultText);
            p.composed = io->ComposePromptDistance(message, p.realDefault);
        } else {
            addEnterToKeyword();
            p.composed = io->ComposePromptString(message, defaultText);
        }
        break;
    case Angle:
        if (p.numericDefault) {
            p.realDefault = PromptNotation::toReal(defaultText);
            p.composed = io->ComposePromptAngle(message, p.realDefault);
        } else {
            if (!defaultText.isEmpty())
                addEnterToKeyword();
            p.composed = io->ComposePrompt(message);
        }
        break;
    }
    return !p.composed.isNull();
}

// The statuses every function of the family answers alike.
int finishOther(const FamilyPrompt& p, int status)
{
    if (status == kvrt::Keyword) {
        const CKvString text = p.host.userIO->GetKeywordText();
        if (text.isEmpty())
            p.host.context->ReturnNil();
        else
            p.host.context->ReturnString(text);
        return kvrt::Normal;
    }
    if (status == kvrt::Cancel)
        return kvrt::Cancel;
    return kvrt::Normal;
}

void returnUserPoint(const FamilyPrompt& p, const double world[3])
{
    double user[3] = {world[0], world[1], world[2]};
    p.host.context->TranslatePoint(world, 0, 1, user);
    p.host.context->ReturnPoint(user, true);
}

int pointPrompt(PromptType type)
{
    FamilyPrompt p(type);
    if (!prepare(p))
        return kvrt::Normal;
    double point[3] = {0, 0, 0};
    const double* base = p.hasBase ? p.base : nullptr;
    const int status = type == Corner
                           ? p.host.userIO->GetCorner(p.composed, base, point)
                           : p.host.userIO->GetPoint(p.composed, 0, 0, point, base, CKvString(), false, 0, 0);
    if (status == kvrt::Normal) {
        returnUserPoint(p, point);
        return kvrt::Normal;
    }
    if (status == kvrt::Cancel && type == Point) {
        p.host.context->ReturnNil();
        return kvrt::Normal;
    }
    return finishOther(p, status);
}

} // namespace

namespace kvlisp {

int initgetKorvane()
{
    LispArgs args(HostServices::activeLispContext());
    g_inputFlags = 0;
    int flags = 0;
    const short first = args.peekType();
    if ((first == kvrt::Short || first == kvrt::Long) && args.nextInt32(flags) == LispArgs::Ok)
        g_inputFlags = flags;
    // A keyword text may follow; the prompts take their keywords from their own text.
    CKvString ignored;
    args.nextString(ignored);
    args.release();
    return kvrt::Normal;
}

int getIntKorvane()
{
    FamilyPrompt p(Integer);
    if (!prepare(p))
        return kvrt::Normal;
    int value = 0;
    const int status = p.host.userIO->GetInteger(p.composed, p.numericDefault ? &p.integerDefault : nullptr, &value);
    if (status == kvrt::Normal) {
        p.host.context->ReturnInteger(value);
        return kvrt::Normal;
    }
    return finishOther(p, status);
}

int getStringKorvane()
{
    FamilyPrompt p(String);
    if (!prepare(p))
        return kvrt::Normal;
    CKvString answer;
    const int status = p.host.userIO->GetString(p.stringFlag, p.composed, p.notation.defaultText, &answer, 0, 0);
    if (status == kvrt::Normal) {
        p.host.context->ReturnString(answer);
        return kvrt::Normal;
    }
    return finishOther(p, status);
}

int getPointKorvane()
{
    // The point prompt runs without input flags, whatever initgetKorvane set.
    g_inputFlags = 0;
    return pointPrompt(Point);
}

int getCornerKorvane()
{
    return pointPrompt(Corner);
}

int getKwordKorvane()
{
    FamilyPrompt p(Keyword);
    if (!prepare(p))
        return kvrt::Normal;
    CKvString answer;
    const CKvString& defaultKeyword = p.notation.defaultText;
    const int status = p.host.userIO->GetKeyword(p.composed, defaultKeyword, &answer, 0, 0);
    if (status == kvrt::Normal) {
        // The default keyword answers nil: the caller keeps its default.
        if (answer == defaultKeyword || answer == defaultKeyword.toUpper())
            p.host.context->ReturnNil();
        else
            p.host.context->ReturnString(answer);
        return kvrt::Normal;
    }
    return finishOther(p, status);
}

int getRealKorvane()
{
    FamilyPrompt p(Real);
    if (!prepare(p))
        return kvrt::Normal;
    double value = 0;
    const int status = p.host.userIO->GetReal(p.composed, p.numericDefault ? &p.realDefault : nullptr, &value);
    if (status == kvrt::Normal) {
        p.host.context->ReturnReal(value);
        return kvrt::Normal;
    }
    return finishOther(p, status);
}

int getDistKorvane()
{
    FamilyPrompt p(Distance);
    if (!prepare(p))
        return kvrt::Normal;
    double value = 0;
    // Without a numeric default Enter gives nothing, so that "no null" input flags hold.
    const int status = p.host.userIO->GetDistance(p.composed, p.numericDefault ? &p.realDefault : nullptr,
                                                  p.hasBase ? p.base : nullptr, &value);
    if (status == kvrt::Normal || status == kvrt::Cancel || status == kvrt::None) {
        // Nothing typed (Enter, Esc) answers nil.
        if (p.host.userIO->GetKeywordText().isEmpty())
            p.host.context->ReturnNil();
        else
            p.host.context->ReturnReal(value);
        return kvrt::Normal;
    }
    return finishOther(p, status);
}

int getAngleKorvane()
{
    FamilyPrompt p(Angle);
    if (!prepare(p))
        return kvrt::Normal;
    double value = 0;
    const int status = p.host.userIO->GetAngle(p.composed, p.numericDefault ? &p.realDefault : nullptr,
                                               p.hasBase ? p.base : nullptr, &value);
    if (status == kvrt::Normal) {
        p.host.context->ReturnReal(value);
        return kvrt::Normal;
    }
    return finishOther(p, status);
}

} // namespace kvlisp
