// QUOR_getpoint, QUOR_getstring and QUOR_getkword: a point, a text or a keyword asked for
// with the caller's flags, keywords, message and default.
#include "input/InputSupport.h"
#include "module/LispArgs.h"
#include "module/LispHandlers.h"

#include "kernel/KvLispContext.h"
#include "kernel/KvUserIO.h"

#include <functional>

using InputSupport::Host;

namespace {

// A 3D point or nil; anything else is a wrong argument.
bool readPointOrNil(LispArgs& args, double point[3], bool& given)
{
    if (args.peekType() == kvrt::Nil) {
        args.skip();
        return true;
    }
    if (args.nextPoint(point, false) != LispArgs::Ok)
        return false;
    given = true;
    return true;
}

// The keyword set-up of the three functions: only when there are keywords.
void setUpKeywords(CKvUserIO* userIO, short flags, const CKvString& keywords)
{
    if (keywords.isEmpty())
        return;
    const CKvStringArray list = InputSupport::splitKeywords(keywords);
    userIO->InitGet(flags, list, list);
}

// The answer of a prompt as the three functions give it back.
void returnByStatus(const Host& host, int status, const std::function<void()>& normal)
{
    switch (status) {
    case kvrt::Normal:
        normal();
        break;
    case kvrt::Keyword:
        host.context->ReturnString(host.userIO->GetKeywordText());
        break;
    case kvrt::Cancel:
        host.context->ReturnNil();
        break;
    default:
        host.context->ReturnVoid();
        break;
    }
}

} // namespace

namespace kvlisp {

int QUOR_getpoint()
{
    Host host;
    const bool ready = InputSupport::activeHost(host);
    LispArgs args(host.context);
    short flags = 0;
    CKvString keywords, message, prompt;
    double base[3] = {0, 0, 0}, base2[3] = {0, 0, 0};
    bool hasBase = false, hasBase2 = false;
    if (args.nextInt16(flags) != LispArgs::Ok || args.nextString(keywords) != LispArgs::Ok
        || args.nextString(message) != LispArgs::Ok || !readPointOrNil(args, base, hasBase)
        || args.nextString(prompt) != LispArgs::Ok || !readPointOrNil(args, base2, hasBase2) || !ready)
        return kvrt::Normal;
    args.release();
    // The sixth argument overrides the fourth.
    if (hasBase2) {
        for (int i = 0; i < 3; ++i)
            base[i] = base2[i];
        hasBase = true;
    }

    setUpKeywords(host.userIO, flags, keywords);
    host.userIO->SetMessage(message);
    const CKvString composed = host.userIO->ComposePromptPoint(prompt, nullptr);
    double point[3] = {0, 0, 0};
    const int status = host.userIO->GetPoint(composed, 0, 0, point, hasBase ? base : nullptr, CKvString(), false, 0, 0);
    returnByStatus(host, status, [&] { host.context->ReturnPoint(point, true); });
    return kvrt::Normal;
}

int QUOR_getstring()
{
    Host host;
    const bool ready = InputSupport::activeHost(host);
    LispArgs args(host.context);
    short flags = 0;
    CKvString keywords, message, defaultText, prompt;
    if (args.nextInt16(flags) != LispArgs::Ok || args.nextString(keywords) != LispArgs::Ok
        || args.nextString(message) != LispArgs::Ok || args.nextString(defaultText) != LispArgs::Ok
        || args.nextString(prompt) != LispArgs::Ok || !ready)
        return kvrt::Normal;
    // Optional sixth argument: only T turns spaces on.
    const bool spaces = args.peekType() == kvrt::T;
    args.release();

    setUpKeywords(host.userIO, flags, keywords);
    host.userIO->SetMessage(message);
    const CKvString composed = host.userIO->ComposePromptString(prompt, defaultText);
    CKvString answer;
    const int status = host.userIO->GetString(spaces, composed, defaultText, &answer, 0, 0);
    returnByStatus(host, status, [&] { host.context->ReturnString(answer); });
    // The message belongs to this prompt only.
    host.userIO->SetMessage(CKvString(""));
    return kvrt::Normal;
}

int QUOR_getkword()
{
    Host host;
    const bool ready = InputSupport::activeHost(host);
    LispArgs args(host.context);
    short flags = 0;
    CKvString keywords, unused, defaultKeyword, prompt;
    if (args.nextInt16(flags) != LispArgs::Ok || args.nextString(keywords) != LispArgs::Ok
        || args.nextString(unused) != LispArgs::Ok || args.nextString(defaultKeyword) != LispArgs::Ok
        || args.nextString(prompt) != LispArgs::Ok || !ready)
        return kvrt::Normal;
    args.release();

    setUpKeywords(host.userIO, flags, keywords);
    const CKvString composed = host.userIO->ComposePromptKeyword(prompt, defaultKeyword);
    CKvString answer;
    const int status = host.userIO->GetKeyword(composed, defaultKeyword, &answer, 0, 0);
    returnByStatus(host, status, [&] { host.context->ReturnString(answer); });
    return kvrt::Normal;
}

} // namespace kvlisp
