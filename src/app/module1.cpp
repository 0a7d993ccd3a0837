#include "app/module1.h"

namespace calc {

void ResetStandardState(Module1& m) {
    m.blnStdError = 0;
    m.blnStdNewNumber = -1;
    m.blnStdPoint = 0;
    m.blnOpPending = 0;
    m.blnOperandTyped = 0;
    m.dblAccumulator = 0;
    m.dblOperand = 0;
    m.intPendingOp = -1;
}

void ResetScientificState(Module1& m) {
    m.blnSciError = 0;
    m.blnSciNewNumber = 0;
    m.blnSciPoint = 0;
    m.intParenDepth = 0;
    m.dblLastResult = 0;
    m.strRepeatOp.clear();
    m.dblRepeatOperand = 0;
}

}  // namespace calc
