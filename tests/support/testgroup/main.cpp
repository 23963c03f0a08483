// SPDX-FileCopyrightText: 2026 Vedira developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/testgroup.h"

#include <QMetaMethod>

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

// The functions QTest runs: private slots without arguments, bar the hooks and the data tables.
static QList<QByteArray> testFunctions(const QMetaObject &meta)
{
    QList<QByteArray> names;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod m = meta.method(i);
        if (m.methodType() == QMetaMethod::Slot && m.access() == QMetaMethod::Private
            && m.parameterCount() == 0 && !m.name().endsWith("_data")
            && !QByteArrayList {"initTestCase", "cleanupTestCase", "init", "cleanup"}.contains(
                m.name()))
            names.append(m.name());
    }
    return names;
}

// Runs every class in turn. QTest fails a class on a function name it lacks, so a class gets
// only the names it has, and sits out when others were named; a name no class has still fails.
// QTest exits once it has listed a class's functions, so the group lists them all itself.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::unique_ptr<QObject>> tests;
    QByteArrayList all;
    for (const auto make : classes())
        all += testFunctions(*tests.emplace_back(make())->metaObject());
    if (QByteArrayList(argv, argv + argc).contains("-functions")) {
        for (const QByteArray &name : all)
            std::printf("%s()\n", name.constData());
        return 0;
    }
    int failed = tests.empty() ? 1 : 0; // an empty group is a build fault, not a pass
    for (const auto &test : tests) {
        const QByteArrayList own = testFunctions(*test->metaObject());
        std::vector<char *> kept {argv[0]};
        int named = 0, namedHere = 0;
        for (int i = 1; i < argc; ++i) {
            const QByteArray name = QByteArray(argv[i]).split(':').constFirst(); // function:tag
            named += all.contains(name);
            namedHere += own.contains(name);
            if (own.contains(name) || !all.contains(name))
                kept.push_back(argv[i]);
        }
        if (named == 0 || namedHere > 0)
            failed += QTest::qExec(test.get(), int(kept.size()), kept.data());
    }
    return std::min(failed, 127);
}
