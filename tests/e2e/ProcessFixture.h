#pragma once

#include "TPrivateRuntimeFolder.h"
#include "TWindowHandle.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>

// Handles this process' events until Done; false when it did not come within a bound that
// is generous for a busy machine under the sanitizers.
bool WaitUntil(const std::function<bool()>& Done);

// How a program that ran to its end ended.
struct TRunResult {
    // The exit status; -1 when the program crashed or did not end within the bound.
    int Status = -1;
    std::string Out;
    std::string Err;
};

// Whole programs started as processes: a private runtime folder, an empty registry folder
// (no suffix is published unless a test writes one), a settings folder and a scratch folder. A host started
// here is killed at the end of the test whatever happened.
class ProcessFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Path(const std::string& Name) const;
    QString QPath(const std::string& Name) const { return QString::fromStdString(Path(Name)); }
    void Write(const std::string& Name, const std::string& Bytes) const;

    // Starts lernix-host with Suffix and Arguments; gives its window once it is up, 0 when
    // it ended first.
    TWindowHandle StartHost(const std::string& Suffix, QStringList Arguments = {});
    // What the host has written to standard error so far.
    std::string HostLog();
    // Runs Program with Arguments to its end, handling this process' events meanwhile (a
    // window of the test may have to answer it).
    static TRunResult Run(const QString& Program, const QStringList& Arguments);

    QTemporaryDir FTemp;
    TPrivateRuntimeFolder FRuntime;
    QProcess FHost;

private:
    std::string FHostLog;
};
