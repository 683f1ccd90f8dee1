// The exchange layer: archives, mail, sending and receiving turns.
