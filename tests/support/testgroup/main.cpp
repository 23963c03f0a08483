// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/testgroup.h"

#include <QCoreApplication>
#include <QMetaMethod>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

static std::vector<QObject *(*)()> &classes()
{
    static std::vector<QObject *(*)()> added; // made on first use: files add in any order
    return added;
}

int addTestClass(QObject *(*make)())
{
    classes().push_back(make);
    return int(classes().size());
}

// The functions QTest runs of a class: its private slots without arguments, bar the hooks.
static QList<QByteArray> testFunctions(const QMetaObject &meta)
{
    QList<QByteArray> names;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod m = meta.method(i);
        const QByteArray name = m.name();
        if (m.methodType() == QMetaMethod::Slot && m.access() == QMetaMethod::Private
            && m.parameterCount() == 0 && !name.endsWith("_data")
            && !QList<QByteArray> {"initTestCase", "cleanupTestCase", "init", "cleanup"}.contains(
                name))
            names.append(name);
    }
    return names;
}

// Runs every class in turn with the arguments given. QTest fails a class on a function name it
// lacks, so a class gets only the names it has and is left out when it has none of those named;
// a name no class has still fails. The group lists every class's functions itself.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::unique_ptr<QObject>> tests;
    QList<QByteArray> all;
    for (const auto make : classes()) {
        tests.emplace_back(make());
        all += testFunctions(*tests.back()->metaObject());
    }
    const QList<QByteArray> args(argv, argv + argc);
    if (args.contains("-functions")) {
        for (const QByteArray &name : all)
            std::printf("%s()\n", name.constData());
        return 0;
    }
    int failed = tests.empty() ? 1 : 0; // an empty group is a build fault, not a pass
    for (const auto &test : tests) {
        const QList<QByteArray> own = testFunctions(*test->metaObject());
        std::vector<char *> kept;
        bool named = false, namedHere = false;
        for (int i = 0; i < argc; ++i) {
            const QByteArray name = args[i].split(':').constFirst(); // function:tag
            named = named || (i > 0 && all.contains(name));
            if (i == 0 || !all.contains(name) || own.contains(name)) {
                namedHere = namedHere || (i > 0 && own.contains(name));
                kept.push_back(argv[i]);
            }
        }
        if (!named || namedHere)
            failed += QTest::qExec(test.get(), int(kept.size()), kept.data());
    }
    return std::min(failed, 127);
}
