// hvadmin-cli security | login USER PASSWORD: the start-up security check without a window.
#include "app/Security.h"
#include "cli/CliSupport.h"
#include "cli/JsonWriter.h"
#include "cli/Verbs.h"

namespace hv::cli {

int runSecurity(const QStringList &args)
{
    if (!args.isEmpty())
        return wrongArguments(args, 0, 0);
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

int runLogin(const QStringList &given)
{
    QStringList args = given;
    const bool fromStdin = takeOption(args, QLatin1StringView("--password-stdin"));
    if (args.size() != (fromStdin ? 1 : 2))
        return wrongArguments(args, fromStdin ? 1 : 2, fromStdin ? 1 : 2);
    QString password;
    if (fromStdin) {
        // The first line, without its line end: spaces are part of a password.
        QByteArray line = readStdin();
        if (const qsizetype end = line.indexOf('\n'); end >= 0)
            line.truncate(end);
        if (line.endsWith('\r'))
            line.chop(1);
        password = QString::fromUtf8(line);
    } else {
        password = args[1];
    }
    const LoginVerdict verdict = ValidateLogin(args[0], password, LoadSecurityTable());
    if (verdict != LoginVerdict::Accepted)
        return fail(LoginMessage(verdict));
    return kExitOk;
}

} // namespace hv::cli
