// The exam outlook of one subject area: the chances to pass, to be examined orally and to fail,
// computed exactly from the recall probability of every question of the area.
#pragma once

#include <vector>

struct TExamOutlook {
  double Passed = 0;
  double Oral = 0;
  double Failed = 0;
};

// recall: the recall probability of every question of the area (its size is K);
// questions, oralFrom, failFrom: N, M and F as the area's grading uses them.
// The exam draws min(N, K) questions at random; questions missing from a small area count as
// wrong, and the verdict follows the grading: failed from F wrong, else oral from M wrong.
TExamOutlook ExamOutlook(const std::vector<double>& recall, int questions, int oralFrom,
                         int failFrom);
