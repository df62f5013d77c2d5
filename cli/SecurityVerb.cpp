// hvadmin-cli security | login USER PASSWORD: the start-up security check without a window.
#include "app/Security.h"
#include "cli/Verbs.h"

namespace hv::cli {

int runSecurity(const QStringList &args)
{
    if (!args.isEmpty())
        return usage();
    const SecurityAssessment outcome = AssessSecurity();
    QJsonObject object{{QStringLiteral("securityFile"), outcome.securityFile},
                       {QStringLiteral("loginRequired"), outcome.loginRequired},
                       {QStringLiteral("canStart"), outcome.canStart}};
    if (!outcome.canStart)
        object.insert(QStringLiteral("message"), outcome.message);
    printJson(object);
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
