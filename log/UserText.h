// A text meant for the user, held twice: in English, as the diagnostic log, hvadmin-cli and
// its JSON keep it, and as shown, in the user's language where a catalogue is loaded (the
// same English where none is). Operations below the windows build their messages as
// UserText, so that the window shows the translation and the log still reads English.
//
//     const UserText text =
//         UserText::translate("hv::Trash", "The file %1 could not be deleted.").arg(name);
//     WriteLog(module, procedure, text.english);
//     ShowMessage(text.shown);
//
// A plain QString (a file name, the system's own words) converts to a UserText that is the
// same in both.
#pragma once

#include <QCoreApplication>
#include <QString>

#include <type_traits>

namespace hv {

struct UserText {
    QString english;
    QString shown;

    UserText() = default;
    UserText(const QString &text) : english(text), shown(text) {}
    UserText(const QString &englishText, const QString &shownText)
        : english(englishText), shown(shownText)
    {
    }

    // The English `source` and its translation in `context`. Both are string literals, so
    // that the catalogue's tools find them.
    static UserText translate(const char *context, const char *source)
    {
        return {QString::fromUtf8(source), QCoreApplication::translate(context, source)};
    }
    // The same with a count: `%n` in the source, and the plural form the language needs.
    static UserText translate(const char *context, const char *source, int count)
    {
        return {QString::fromUtf8(source).replace(QLatin1String("%n"), QString::number(count)),
                QCoreApplication::translate(context, source, nullptr, count)};
    }

    bool isEmpty() const { return english.isEmpty(); }

    template <typename... Args>
    requires(!(std::is_same_v<Args, UserText> || ...)) UserText arg(const Args &...args)
    const { return {english.arg(args...), shown.arg(args...)}; }
    // Fills the next place holder with another user text, each language with its own.
    UserText arg(const UserText &text) const
    {
        return {english.arg(text.english), shown.arg(text.shown)};
    }
    UserText arg(const UserText &first, const UserText &second) const
    {
        return {english.arg(first.english, second.english), shown.arg(first.shown, second.shown)};
    }

    friend UserText operator+(const UserText &left, const UserText &right)
    {
        return {left.english + right.english, left.shown + right.shown};
    }
};

} // namespace hv
