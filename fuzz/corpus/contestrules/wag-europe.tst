fCall;fBand|1|PKT|fPrefix eq "DL"
fDok;fBand|1|MLT|fPrefix eq "DL";fDok neq "";fDok neq "NM"
