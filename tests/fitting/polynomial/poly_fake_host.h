#pragma once
// The main window's stand-in for the polynomial run: the curve run's fake with
// new documents that are made, or declined while declineNewDocument is set,
// as the main window's prompt would answer.
#include "../shared/fake_host.h"
#include "fitting/polynomial/polynomial_fit_host.h"

struct PolyHost : FakeHostOf<PolynomialFitHost> {
    bool declineNewDocument = false;
    std::vector<long> newDocuments;  // the kinds asked for

    bool newDocument(long kind) override {
        newDocuments.push_back(kind);
        if (gGraphs->FunSurfs.Count() > 0) {
            if (declineNewDocument) return false;
            gGraphs->FunSurfs.Clear();
            gScene->FunSurfs.Clear();
            gGraphCounter = 0;
            lines.clear();
            ticked.clear();
            report.clear();
        }
        gPlotKind = kind;
        return true;
    }
};
