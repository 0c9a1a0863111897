fCall|1|PKT|
|||
fBand;copy(fCall,1,2)|length(fName)+1|mlt|fMode eq "CW";fDok neq ""
