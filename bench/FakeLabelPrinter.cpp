// A label printer for the print load benchmark: the suite's fake ZPL printer,
// serving JOBS connections one at a time at RATE bytes a second (0: as fast as
// it can). Prints its URI, serves until its standard input ends, then says
// what it holds: whole labels, distinct labels, and whether a part of one is
// among them.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <set>
#include <string>

#include "support/FakePrinters.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: bench_fake_printer JOBS RATE\n";
    return 2;
  }
  using velmora::test::RawBehaviour;
  velmora::test::FakeLabelPrinter printer(
      RawBehaviour().Serving(std::atoi(argv[1])).Reading(static_cast<std::size_t>(std::atol(argv[2]))));
  std::cout << printer.Uri() << std::endl;
  for (std::string line; std::getline(std::cin, line);) {
  }
  const std::string held = printer.Held();
  std::set<std::string> labels;
  std::size_t at = 0;
  for (std::size_t end; (end = held.find("^XZ", at)) != std::string::npos; at = end + 3) {
    labels.insert(held.substr(held.rfind("^XA", end), end - held.rfind("^XA", end)));
  }
  bool part = false;
  const int whole = velmora::test::WholeLabels(held, &part);
  std::cout << "held " << whole << " whole labels, " << labels.size() << " distinct, "
            << (part ? "and a part of one" : "no part of one") << std::endl;
}
