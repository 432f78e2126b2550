#pragma once
// One input as a tab-separated file and as the CSV files spreadsheets write
// (';' and ','): the same records in each, for code 10's three fields.
// Quotes, doubled quotes, the other separator, blanks, a Windows-1252 letter,
// an empty record, and a line end inside a quoted fourth field, which is
// dropped with it.

#include <QByteArray>
#include <utility>
#include <vector>

namespace vaviviv::prueba {

inline const QByteArray kTabulado =
    "123456\t123.45\t15/06/2000\r\n"
    "12\"34\t1,5\t01/01/1988\r\n"
    " 7 ;\t\t\r\n"
    "A\xD1\tx\"\ty\r\n"
    "\r\n"
    "999\t1.00\t31/12/2013\tresto\r\n";

// Name and contents: the name's case does not matter.
inline const std::vector<std::pair<const char*, QByteArray>> kCsvEquivalentes = {
    {"punto_y_coma.csv",
     "123456;123.45;15/06/2000\r\n"
     "\"12\"\"34\";1,5;\"01/01/1988\"\r\n"
     "\" 7 ;\";;\r\n"
     "A\xD1;x\";\"y\"\r\n"
     "\r\n"
     "999;\"1.00\";31/12/2013;\"res\r\nto\";m\xE1s\r\n"},
    {"COMA.CSV",
     "123456,123.45,15/06/2000\r\n"
     "12\"34,\"1,5\",01/01/1988\r\n"
     " 7 ;,,\r\n"
     "\"A\xD1\",\"x\"\"\",y\r\n"
     "\r\n"
     "\"999\",1.00,31/12/2013,\"res\nto\"\r\n"},
};

}  // namespace vaviviv::prueba
