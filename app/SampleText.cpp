#include "app/SampleText.h"

namespace wendle {

QStringList SampleTextLines(const QDate& today)
{
    if (today.month() == 2 && today.day() == 2)
        return { QString("HAPPY GROUNDHOG DAY %1").arg(today.year()), "FROM QUILLON" };
    return {
        "$ % &   STITCH SAMPLER   & % $",
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
        "12345 ... 67890",
        "!@#^*()_-+=[]:;\"'<,>.?/\\  $%&",
        "SHE SAID, \"HELLO, WORLD!\"",
    };
}

} // namespace wendle
