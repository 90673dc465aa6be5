// horolux-correct: horolux-cli's correcting run and nothing more, for pkexec to start as
// root on behalf of the window. It trusts only its command line, which it checks, and
// never the caller's environment, settings file or files outside the system's CA folders.
#include "cli/cli_exit_status.h"
#include "cli/cli_run.h"
#include "cli/helper_ca_file.h"
#include "cli/helper_environment.h"
#include "cli/helper_options.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>
#include <variant>

namespace {

int Refuse(const QString& message) {
    std::fprintf(stderr, "horolux-correct: %s\n", message.toLocal8Bit().constData());
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv) {
    // Before glibc's locale, Qt or GnuTLS read any of it: the libraries only ever see the
    // environment of the restarted helper.
    if (!RestartWithKeptEnvironment(argv)) {
        return Refuse(QStringLiteral("cannot restart with a clean environment"));
    }
    if (!NameEffectiveUser()) {
        return Refuse(QStringLiteral("the effective user is unknown"));
    }
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    auto parsed = ParseHelperOptions(arguments);
    if (const auto* error = std::get_if<CliUsageError>(&parsed)) {
        return Refuse(error->message);
    }
    CliOptions& options = std::get<CliOptions>(parsed);
    if (options.caFile) {
        // One answer whether the file is missing or refused: root tells the caller nothing
        // about files it could not read itself.
        const int fd = OpenCaFile(options.caFile->toStdString(), kSystemCaFolders);
        const std::optional<std::string> pem = fd >= 0 ? nts::ReadOpenedCaFile(fd) : std::nullopt;
        if (fd >= 0) {
            close(fd);
        }
        if (!pem) {
            return Refuse(QString::fromLatin1(kHelperCaFileRefused));
        }
        options.caPem = *pem;
        options.caFile.reset();
    }
    return RunCli(options, false);
}
