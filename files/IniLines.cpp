#include "files/IniLines.h"

#include <stdexcept>
#include <string>

namespace hv {

INIline &INIlines::Add(QString group, QString section, QString value)
{
    return lines_.emplace_back(std::move(group), std::move(section), std::move(value));
}

INIline &INIlines::Item(qsizetype index)
{
    checkIndex(index, "Item");
    return lines_[size_t(index - 1)];
}

const INIline &INIlines::Item(qsizetype index) const
{
    checkIndex(index, "Item");
    return lines_[size_t(index - 1)];
}

void INIlines::Remove(qsizetype index)
{
    checkIndex(index, "Remove");
    lines_.erase(lines_.begin() + (index - 1));
}

void INIlines::Clear()
{
    std::vector<INIline>().swap(lines_);
}

void INIlines::Reserve(qsizetype count)
{
    if (count > 0)
        lines_.reserve(size_t(count));
}

void INIlines::checkIndex(qsizetype index, const char *operation) const
{
    if (index < 1 || index > Count()) {
        throw std::out_of_range(std::string("INIlines::") + operation + ": position " +
                                std::to_string(index) + " is outside 1.." +
                                std::to_string(Count()));
    }
}

} // namespace hv
