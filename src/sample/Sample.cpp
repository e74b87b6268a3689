#include "sample/Sample.h"

namespace tablon {

bool WriteSampleDatabase(const std::string&, SampleScale, std::string& error) {
    error = "the sample database is not written yet";
    return false;
}

}  // namespace tablon
