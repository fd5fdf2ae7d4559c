#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "PortableTest.h"
#include "printing/RunRecord.h"
#include "support/TempTree.h"

// A name that is not UTF-8 is written readable; reading the record back for a
// retry finds the file it stands for again.
PV_TEST(aNameThatIsNotUtf8IsFoundAgainWhenTheRecordIsReadBack)
{
    const TempTree tree("plotvane-names-");
    const std::string& folder = tree.root();
    const std::string exact = std::string(folder) + "/caf\xe9.vsd";
    std::ofstream(exact) << "x";
    FileOutcome failed;
    failed.file = exact;
    failed.outcome = Outcome::Failed;
    failed.failedLine = 120;
    const std::string record = std::string(folder) + "/run.csv";
    std::ofstream(record, std::ios::binary) << RunRecord::csv({failed});
    PV_CHECK_EQ(RunRecord::unprintedFiles(record), std::vector<std::string>{exact});
}
