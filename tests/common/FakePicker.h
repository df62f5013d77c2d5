// A template picker that returns a preset answer, for the directory editor's "Add File".
#pragma once

#include "suite/TemplatePicker.h"

#include <QString>

#include <utility>

namespace hvtest {

class FakePicker : public hv::TemplatePicker {
public:
    explicit FakePicker(QString answer) : m_answer(std::move(answer)) {}
    void SetSettingKey(const QString &) override {}
    void SetStartFolder(const QString &) override {}
    void SetMultiSelect(bool) override {}
    QString Show() override { return m_answer; }

private:
    QString m_answer;
};

} // namespace hvtest
