#pragma once

// A model Problem in the user's language, for the layers above model/ that
// speak Qt (model/ itself never includes this). Without a catalogue installed
// the Spanish sentence comes out, as Problem::Text() gives it.

#include "problem.h"

#include <QCoreApplication>
#include <QString>

inline QString ProblemText(const Problem& problem) {
    if (!problem)
        return {};
    const QString sentence = QCoreApplication::translate("Problem", problem.key);
    QString text = QString::fromStdString(FillArguments(sentence.toStdString(), problem.args));
    for (const Problem& more : problem.then)
        text += QLatin1Char(' ') + ProblemText(more);
    return text;
}
