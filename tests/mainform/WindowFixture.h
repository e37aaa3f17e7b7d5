#pragma once

#include "editor/ui/TMainForm.h"
#include "formats/FileIO.h"
#include "support/NoRegistryRecord.h"
#include "support/ScriptedDialogs.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace verbaria {

// A main window's surroundings for a test: a temporary program folder holding the test's files,
// scripted answers to every question, and no registration.
class WindowFixture : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(folder_.isValid()); }

    // Puts the window into the fixture's surroundings; hooks.WriteSettings writes nothing unless
    // the test says otherwise.
    void Attach(TMainForm &form, TMainForm::Hooks hooks)
    {
        form.SetProgramFolder(folder_.path());
        form.SetDialogs(&dialogs_);
        form.SetRegistryRecord(&registry_);
        if (!hooks.WriteSettings)
            hooks.WriteSettings = [](const std::string &, const SettingsValues &) {};
        form.SetHooks(std::move(hooks));
    }

    void Write(const std::string &name, const std::string &bytes)
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Path(const std::string &name) const { return folder_.path().toStdString() + "/" + name; }
    std::string Read(const std::string &name) const
    {
        std::string bytes;
        ReadFileBytes(Path(name), bytes);
        return bytes;
    }

    QTemporaryDir folder_;
    ScriptedDialogs dialogs_;
    NoRegistryRecord registry_;
};

} // namespace verbaria
