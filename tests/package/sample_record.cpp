// Prints the sample record that Plotvane stored at its first start, one path a
// line. Reads the value Snapshot of the group [Plotvane] from the settings file
// given and unscrambles it with the record's fixed key. It does so without the
// program's own unscrambling code, so the check does not lean on what it checks.
#include <QSettings>
#include <QString>
#include <cstdio>
#include <string>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SETTINGS_FILE\n", argv[0]);
        return 2;
    }
    const QSettings settings(QString::fromLocal8Bit(argv[1]), QSettings::IniFormat);
    const QVariant stored = settings.value(QStringLiteral("Plotvane/Snapshot"));
    if (!stored.isValid()) {
        std::fprintf(stderr, "no sample record in %s\n", argv[1]);
        return 1;
    }
    // Each stored character is a byte of the record shifted up by a letter of
    // the key, cycling over its letters, and wrapped into 1 to 255.
    const std::string key = "qemvdrka";
    std::string record;
    std::size_t k = 0;
    for (const QChar character : stored.toString()) {
        int byte = static_cast<int>(character.unicode()) - static_cast<unsigned char>(key[k]);
        k = (k + 1) % key.size();
        if (byte < 1)
            byte += 255;
        record += byte == '|' ? '\n' : static_cast<char>(byte);
    }
    std::printf("%s\n", record.c_str());
    return 0;
}
