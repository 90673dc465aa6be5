#include "ui/result_icon.h"

#include "timesync/ntp_time.h"
#include "timesync/query_outcome.h"
#include "timesync/result_texts.h"

#include <QStringList>

ResultIcon ResultIconOf(const QueryOutcome& outcome) {
    switch (outcome.result) {
    case QueryOutcome::Result::Corrected:
        return ResultIcon::Success;
    case QueryOutcome::Result::Answered:
        if (outcome.measurement &&
            results::ExceedsMaximumDelta(ntp::WholeSeconds(outcome.measurement->offset))) {
            return ResultIcon::Warning;
        }
        return outcome.authenticated ? ResultIcon::Secure : ResultIcon::Success;
    default:
        return ResultIcon::Failure;
    }
}

const char* ResultIconKey(ResultIcon icon) {
    switch (icon) {
    case ResultIcon::Success:
        return "success";
    case ResultIcon::Warning:
        return "warning";
    case ResultIcon::Failure:
        return "failure";
    case ResultIcon::Secure:
        return "secure";
    case ResultIcon::None:
        break;
    }
    return "";
}

QIcon ResultIconImage(ResultIcon icon) {
    struct Names {
        QStringList theme;
        const char* fallback;
    };
    static const Names kNames[] = {
        {{}, ""},
        {{"emblem-ok-symbolic", "emblem-default", "dialog-information"},
         ":/icons/result-success.svg"},
        {{"dialog-warning"}, ":/icons/result-warning.svg"},
        {{"dialog-error"}, ":/icons/result-failure.svg"},
        {{"security-high", "channel-secure"}, ":/icons/result-secure.svg"},
    };
    const Names& names = kNames[static_cast<int>(icon)];
    for (const QString& name : names.theme) {
        if (QIcon::hasThemeIcon(name)) {
            return QIcon::fromTheme(name);
        }
    }
    return icon == ResultIcon::None ? QIcon() : QIcon(QString::fromLatin1(names.fallback));
}
