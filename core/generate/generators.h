// The suggestion generators. Each Type 1 member appends one line of six numbers to
// ResultText; GenerateTickets appends the five Type 2 tickets. BeginResult comes first.
#pragma once

void GenerateUniform();
void GeneratePooled();
void GenerateInverse();
void GenerateUniformNoRepeat();
void GeneratePooledNoRepeat();
void GenerateInverseNoRepeat();

void GenerateTickets();
