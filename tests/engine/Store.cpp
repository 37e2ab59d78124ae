// Random assigns, removals and reads against a std::map model.
#include <map>

#include "Engine.h"

namespace Engine {

void storeModel() {
  int project = openText("set A = { a1..a60 }\nset B subset of Integers = { 1..50 }\n"
                         "parameter P(A, B)\nparameter Q(A)\nset C = { c1..c9 }\n"
                         "parameter R(A, B, C)\n");
  int a = handle(L"A"), b = handle(L"B"), c = handle(L"C");
  std::vector<int> ea = elementsOf(a), eb = elementsOf(b), ec = elementsOf(c);
  for (int dim = 1; dim <= 3; ++dim) {
    int h = handle(dim == 1 ? L"Q" : dim == 2 ? L"P" : L"R");
    std::map<std::vector<int>, double> model;
    unsigned state = 12345u + dim;
    auto rnd = [&state](unsigned n) {
      state = state * 1103515245u + 12345u;
      return (state >> 8) % n;
    };
    bool assigned = true, retrieved = true;
    for (int step = 0; step < 20000; ++step) {
      std::vector<int> tuple = {ea[rnd(60)], eb[rnd(50)], ec[rnd(9)]};
      tuple.resize(dim);
      double x = rnd(4) == 0 ? 0.0 : 1.0 + rnd(1000);
      assigned = assignDouble(h, tuple, x) && assigned;
      if (x == 0) model.erase(tuple); else model[tuple] = x;
      if (step % 2500 == 0 || step == 19999) {
        auto rows = readDoubles(h, dim);
        bool same = rows.size() == model.size();
        size_t i = 0;
        for (auto it = model.begin(); same && it != model.end(); ++it, ++i) {
          same = rows[i].first == it->first && rows[i].second == it->second;
        }
        CHECK(same);
      }
      if (step % 97 == 0) {
        auto found = model.find(tuple);
        double expected = found == model.end() ? 0.0 : found->second;
        retrieved = retrieveDouble(h, tuple) == expected && retrieved;
      }
    }
    CHECK(assigned && retrieved);
  }
  closeProject(project);
}

}  // namespace Engine
