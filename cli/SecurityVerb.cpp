// hvadmin-cli security | login USER PASSWORD: the start-up security check without a window.
#include "app/Security.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"

namespace hv::cli {

int runSecurity(const QStringList &args)
{
    if (!args.isEmpty())
        return usage();
    const SecurityAssessment outcome = AssessSecurity();
    // Members in the order of their names, as the tool has always written them.
    JsonWriter out;
    out.beginObject().member("canStart", outcome.canStart);
    out.member("loginRequired", outcome.loginRequired);
    if (!outcome.canStart)
        out.member("message", outcome.message);
    out.member("securityFile", outcome.securityFile);
    out.endObject().finish();
    return outcome.canStart ? kExitOk : kExitFailure;
}

int runLogin(const QStringList &args)
{
    if (args.size() != 2)
        return usage();
    const LoginVerdict verdict = ValidateLogin(args[0], args[1], LoadSecurityTable());
    if (verdict != LoginVerdict::Accepted)
        return fail(LoginMessage(verdict));
    return kExitOk;
}

} // namespace hv::cli
